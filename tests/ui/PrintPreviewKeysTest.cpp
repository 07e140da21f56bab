// The print preview works from the keyboard: Ctrl+P prints, PageDown turns the page, and Tab
// reaches every tool bar button.
#include "ui/QtPrinter.h"

#include "ui/TextPrinter.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(PrintPreviewKeys, PrintTurnPagesAndTabToEveryButton)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer);
    ui::ReachByKeyboard(dialog);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [](QPrinter* p) {
        QPainter painter(p);
        p->newPage();
        p->newPage();
    });
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 3);
    QTest::keyClick(&dialog, Qt::Key_PageDown);
    EXPECT_EQ(preview->currentPage(), 2);
    QTest::keyClick(&dialog, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(preview->currentPage(), 3);

    QAction* print = nullptr;
    for (QAction* a : dialog.findChildren<QAction*>())
        if (a->text() == QLatin1String("Print")) print = a;
    ASSERT_NE(print, nullptr);
    QSignalSpy printed(print, &QAction::triggered);
    // The print dialog that Ctrl+P opens is cancelled at once.
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    QTest::keyClick(&dialog, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printed.count(), 1);

    for (const QToolButton* button : dialog.findChildren<QToolButton*>())
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->text().toStdString();
}

TEST(PrintPreviewKeys, ZoomKeysAndADocumentNameThatIsAFileName)
{
    // The program's printer, as a printout reaches it: the preview's printer has a document
    // name (which the print dialog proposes as "<name>.pdf") without a slash, and Ctrl+plus and
    // Ctrl+minus zoom the page.
    ui::QtPrinter printer;
    ui::TextDocument doc;
    doc.pages.push_back({QStringLiteral("A line")});
    QString docName;
    double before = 0;
    double zoomedIn = 0;
    double zoomedOut = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog)) return;
        docName = dialog->printer()->docName();
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        before = preview->zoomFactor();
        QTest::keyClick(dialog, Qt::Key_Plus, Qt::ControlModifier);
        zoomedIn = preview->zoomFactor();
        QTest::keyClick(dialog, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(dialog, Qt::Key_Minus, Qt::ControlModifier);
        zoomedOut = preview->zoomFactor();
        dialog->reject();
    });
    EXPECT_FALSE(
        printer.printText(doc, QStringLiteral("Winning numbers in Sample Lotto 6/49 Draw")));
    EXPECT_EQ(docName.toStdString(), "Winning numbers in Sample Lotto 6_49 Draw");
    EXPECT_GT(zoomedIn, before);
    EXPECT_LT(zoomedOut, before);
}
