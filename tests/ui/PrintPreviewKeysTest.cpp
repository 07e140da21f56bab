// The print preview works from the keyboard: Ctrl+P prints, PageDown turns the page, and Tab
// reaches every tool bar button.
#include "ui/QtPrinter.h"

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
