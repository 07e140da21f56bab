// Not a test: saves pictures of the Graphs window in its four views, and printed pages, for a
// person to look at. Usage: graph_shots <folder>
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/BarGraph.h"
#include "ui/Services.h"
#include "windows/graphs/GraphsWindow.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace {

void Shoot(const QString& folder, const QString& name, const database::DrawDatabase& db)
{
    core::AppState state;
    state.database = db;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    stats::GraphsWindow window(state.database, state.stats, services);
    window.show();
    auto click = [&window](const char* button) {
        window.findChild<QPushButton*>(QLatin1String(button))->click();
    };
    window.grab().save(folder + QStringLiteral("/%1-2d-unsorted.png").arg(name));
    click("ChngView");
    window.grab().save(folder + QStringLiteral("/%1-2d-sorted.png").arg(name));
    click("TwoDBut");
    window.grab().save(folder + QStringLiteral("/%1-3d-sorted.png").arg(name));
    click("ChngView");
    window.grab().save(folder + QStringLiteral("/%1-3d-unsorted.png").arg(name));
    click("GWhichCnt");
    window.grab().save(folder + QStringLiteral("/%1-3d-unsorted-since.png").arg(name));
    const QSize size = window.size();
    window.resize(window.minimumSizeHint());
    window.grab().save(folder + QStringLiteral("/%1-smallest.png").arg(name));
    window.resize(size);

    for (const bool colour : {true, false}) {
        dialogs.answers = {true, colour};
        click("Printer3");
        printer.pages.back().save(
            folder + QStringLiteral("/%1-page-%2.png")
                         .arg(name, colour ? QStringLiteral("colour") : QStringLiteral("mono")));

        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(
            folder + QStringLiteral("/%1-%2.pdf")
                         .arg(name, colour ? QStringLiteral("colour") : QStringLiteral("mono")));
        QPainter painter(&pdf);
        const QRectF page = pdf.pageRect(QPrinter::DevicePixel)
                                .translated(-pdf.pageRect(QPrinter::DevicePixel).topLeft());
        window.graph()->paint(
            painter, QRectF(page.left(), page.top(), page.width(), page.width() * 0.6), colour);
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    auto random = [](int high, int picks, int count, quint32 seed, const QString& title) {
        return MakeDrawDatabase(high, picks, RandomDraws(high, picks, count, seed),
                                QDate(2020, 1, 4), title);
    };
    Shoot(folder, QStringLiteral("lotto49"),
          random(49, 6, 300, 49, QStringLiteral("Random 6/49 Lotto")));
    Shoot(folder, QStringLiteral("lotto60"),
          random(60, 6, 400, 60, QStringLiteral("Random 6/60 Lotto")));
    Shoot(folder, QStringLiteral("pick3"),
          random(9, 3, 12, 3,
                 QStringLiteral("Pick 3 with a rather long title that does not fit "
                                "on one line of the graph at all, so it wraps")));
    return 0;
}
