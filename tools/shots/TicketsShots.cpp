// Pictures of the Tickets window with a real-size load (100 tickets of 10 forms against 2,000
// draws), its new-ticket dialog, and the first pages of its printed statement.
// Usage: tickets_shots <output folder>
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"
#include "windows/tickets/TicketsWindow.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

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
    int y = 60;
    for (const QString& line : lines) {
        p.drawText(40, y, line);
        y += QFontMetrics(font).lineSpacing();
    }
    return page;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/tickets");
    QDir().mkpath(out);

    core::AppState state;
    const std::vector<QDate> dates = DrawDates(QDate(2007, 10, 3), 2000, {3, 4});
    state.database =
        MakeDrawDatabase(49, 6, RandomDraws(49, 6, 2000, 7), dates, QStringLiteral("Lotto 6/49"));
    state.LastFileName = QStringLiteral("Lotto.lto");
    QRandomGenerator random(11);
    for (int t = 0; t < 100; ++t) {
        tickets::Ticket ticket;
        ticket.label = t % 3 == 0 ? QStringLiteral("Syndicate %1").arg(t / 3 + 1) : QString();
        for (int f = 0; f < 10; ++f) {
            std::vector<int> form = RandomDraws(49, 6, 1, random.generate()).front();
            std::sort(form.begin(), form.end());
            ticket.forms.push_back(form);
        }
        ticket.firstDraw = dates[static_cast<size_t>(1900 + t)];
        ticket.draws = 8;
        ticket.price = 150;
        state.tickets.tickets.push_back(ticket);
    }
    state.tickets.prizes[3] = {tickets::PrizeKind::Fixed, 1000};
    state.tickets.prizes[4] = {tickets::PrizeKind::Varies, 0};
    state.tickets.prizes[5] = {tickets::PrizeKind::Fixed, 150000};
    state.tickets.prizes[6] = {tickets::PrizeKind::Fixed, 100000000};
    state.tickets.seenUpTo = dates[1995];

    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    tickets::TicketsWindow w(state, services);
    w.show();
    if (!QTest::qWaitForWindowActive(&w)) return 1;
    w.grab().save(out + QStringLiteral("/tickets.png"));

    w.newTicket({{3, 11, 19, 27, 35, 43}, {5, 9, 14, 22, 38, 41}});
    if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; })) return 1;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    dialog->grab().save(out + QStringLiteral("/new-ticket.png"));
    dialog->reject();

    dialogs.answers = {true};
    w.findChild<QPushButton*>(QStringLiteral("TicketPrint"))->click();
    int n = 1;
    for (const QStringList& page : printer.texts.at(0).pages) {
        RenderPage(page).save(out + QStringLiteral("/statement-%1.png").arg(n++));
        if (n > 2) break;
    }
    return 0;
}
