// Pictures of the Tickets window with a real-size load (100 tickets of 10 forms against 2,000
// draws), its dialogs filled in as a user would (a new ticket, a prize, an amount won, the
// draws to post), and the first pages of its printed statement.
// Usage: tickets_shots <output folder> (on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise, so that a screen and a scale can be given)
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
#include <QTableWidget>
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

// The dialog the window has just opened, once it is shown; null when none came.
QDialog* OpenedDialog()
{
    if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }))
        return nullptr;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && !QTest::qWaitForWindowExposed(dialog)) return nullptr;
    return dialog;
}

// Clicks the window's button `name` and returns the dialog it opens.
QDialog* Open(QWidget& window, const char* name)
{
    window.findChild<QPushButton*>(QLatin1String(name))->click();
    return OpenedDialog();
}

// Replaces what the focused box holds with `text`, typed.
void Retype(QDialog* dialog, const QString& text)
{
    QWidget* box = dialog->focusWidget();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

bool Save(QDialog* dialog, const QString& path)
{
    if (!dialog) return false;
    const bool saved = dialog->grab().save(path);
    dialog->reject();
    return saved;
}

// The Prize, Amount Won and Post dialogs, each filled in as a user would: a fixed prize for 4
// of 6 instead of one that varies, the amount the first ticket's 4 of 6 paid, and the last
// ten draws to post.
bool ShootDialogs(QWidget& window, const std::vector<QDate>& dates, const QString& out)
{
    window.findChild<QTableWidget*>(QStringLiteral("PrizeTable"))->selectRow(3);
    QDialog* prize = Open(window, "PrizeSet");
    if (!prize) return false;
    QTest::keyClick(prize->focusWidget(), Qt::Key_Up); // "Varies" to "A fixed amount"
    QTest::keyClick(prize->focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(prize->focusWidget(), QStringLiteral("75.00"));
    if (!Save(prize, out + QStringLiteral("/prize.png"))) return false;

    QDialog* won = Open(window, "TicketWon");
    if (!won) return false;
    QTest::keyClicks(won->focusWidget(), QStringLiteral("212.40"));
    if (!Save(won, out + QStringLiteral("/amount-won.png"))) return false;

    QDialog* post = Open(window, "TicketPost");
    if (!post) return false;
    Retype(post, dates[1990].toString(Qt::ISODate));
    QTest::keyClick(post->focusWidget(), Qt::Key_Tab);
    Retype(post, dates[1999].toString(Qt::ISODate));
    return Save(post, out + QStringLiteral("/post.png"));
}

// 2,000 draws from 3 October 2007, and 100 tickets of 10 forms on the last hundred of them.
void Load(core::AppState& state, const std::vector<QDate>& dates)
{
    const std::vector<std::vector<int>> draws = RandomDraws(49, 6, 2000, 7);
    state.database = MakeDrawDatabase(49, 6, draws, dates, QStringLiteral("Lotto 6/49"));
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
    // The first ticket's first form matches 4 of its first draw, a prize that varies.
    std::vector<int>& form = state.tickets.tickets[0].forms[0];
    form.assign(draws[1900].begin(), draws[1900].begin() + 4);
    for (int n = 1; form.size() < 6; ++n)
        if (std::find(draws[1900].begin(), draws[1900].end(), n) == draws[1900].end())
            form.push_back(n);
    std::sort(form.begin(), form.end());
    state.tickets.prizes[3] = {tickets::PrizeKind::Fixed, 1000};
    state.tickets.prizes[4] = {tickets::PrizeKind::Varies, 0};
    state.tickets.prizes[5] = {tickets::PrizeKind::Fixed, 150000};
    state.tickets.prizes[6] = {tickets::PrizeKind::Fixed, 100000000};
    state.tickets.seenUpTo = dates[1995];
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots/tickets");
    QDir().mkpath(out);

    core::AppState state;
    const std::vector<QDate> dates = DrawDates(QDate(2007, 10, 3), 2000, {3, 4});
    Load(state, dates);

    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    tickets::TicketsWindow w(state, services);
    w.show();
    if (!QTest::qWaitForWindowActive(&w)) return 1;
    w.grab().save(out + QStringLiteral("/tickets.png"));

    w.newTicket({{3, 11, 19, 27, 35, 43}, {5, 9, 14, 22, 38, 41}});
    if (!Save(OpenedDialog(), out + QStringLiteral("/new-ticket.png"))) return 1;
    if (!ShootDialogs(w, dates, out)) return 1;

    dialogs.answers = {true};
    w.findChild<QPushButton*>(QStringLiteral("TicketPrint"))->click();
    int n = 1;
    for (const QStringList& page : printer.texts.at(0).pages) {
        RenderPage(page).save(out + QStringLiteral("/statement-%1.png").arg(n++));
        if (n > 2) break;
    }
    return 0;
}
