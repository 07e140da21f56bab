// Saves pictures of the investment tracker for a look by eye: the window with Sample.INV loaded,
// its Quick Help, the line-number dialog, and the printed statement rendered as a page.
// Usage: invest_shots <output folder>
#include "models/state/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Grid.h"
#include "ui/QtPrinter.h"
#include "ui/Services.h"
#include "windows/invest/InvestmentWindow.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

QImage RenderPage(const QStringList& lines)
{
    QImage page(850, 1100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetrics fm(font);
    int y = 60;
    for (const QString& line : lines) {
        p.drawText(60, y, line);
        y += fm.lineSpacing();
    }
    return page;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/invest");
    QDir().mkpath(out);

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    inv::InvestmentWindow window(state.settings.CurrencySymbol, services);
    window.show();
    window.grab().save(out + QStringLiteral("/empty.png"));

    dialogs.files.push_back(QStringLiteral(TALLIMO_SAMPLES_DIR "/Sample.INV"));
    window.findChild<QPushButton*>(QStringLiteral("IOpenFile"))->click();
    app.processEvents();
    window.grab().save(out + QStringLiteral("/sample.png"));

    auto* grid = window.findChild<ui::Grid*>(QStringLiteral("IGrid"));
    grid->view()->scrollToBottom();
    grid->setCurrentCell(44, 1);
    app.processEvents();
    window.grab().save(out + QStringLiteral("/sample-bottom.png"));

    // Typing into a new row below the last one: the change notice shows.
    grid->setCurrentCell(46, 0);
    Q_EMIT grid->currentCellChanged(46, 0);
    QTest::keyClicks(grid->view(), QStringLiteral("Prize: 4 numbers (May 2)"));
    grid->setCurrentCell(46, 1);
    Q_EMIT grid->currentCellChanged(46, 1);
    QTest::keyClicks(grid->view(), QStringLiteral("62.4"));
    app.processEvents();
    window.grab().save(out + QStringLiteral("/typing.png"));

    window.findChild<QPushButton*>(QStringLiteral("IHelp"))->click();
    app.processEvents();
    window.grab().save(out + QStringLiteral("/help.png"));
    const QSize size = window.size();
    window.resize(900, 640);
    app.processEvents();
    window.grab().save(out + QStringLiteral("/help-wide.png"));
    window.findChild<QPushButton*>(QStringLiteral("IHelp"))->click();
    app.processEvents();
    window.grab().save(out + QStringLiteral("/wide.png"));
    window.findChild<QPushButton*>(QStringLiteral("IHelp"))->click();
    window.resize(size);
    window.findChild<QPushButton*>(QStringLiteral("IHelp"))->click();

    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog) {
            dialog->grab().save(out + QStringLiteral("/insert-dialog.png"));
            dialog->close();
        }
    });
    window.findChild<QPushButton*>(QStringLiteral("InsertAss"))->click();

    dialogs.answers = {true};
    window.findChild<QPushButton*>(QStringLiteral("IPrinter"))->click();
    int n = 1;
    for (const QStringList& page : printer.texts.at(0).pages)
        RenderPage(page).save(out + QStringLiteral("/statement-%1.png").arg(n++));
    // And as the real printer lays it out.
    ui::PrintTextToPdf(printer.texts.at(0), out + QStringLiteral("/statement.pdf"));
    return 0;
}
