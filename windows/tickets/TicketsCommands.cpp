// The Tickets window's commands: correcting and deleting tickets, reading forms, the prize
// table, amounts won, posting into an investment sheet, printing and leaving.
#include "models/invest/InvestmentSheet.h"
#include "models/odds/FormsFile.h"
#include "models/state/AppState.h"
#include "models/tickets/Posting.h"
#include "ui/Dialogs.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "windows/tickets/TicketDialogs.h"
#include "windows/tickets/TicketsStatement.h"
#include "windows/tickets/TicketsWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QTableWidget>

namespace tickets {

namespace {
const QString kTitle = QStringLiteral("Tickets");
}

void TicketsWindow::editTicket()
{
    const int t = selectedTicket();
    if (t < 0 || !m_state.ticketsProblem.isEmpty()) return;
    auto* dialog = new TicketDialog(m_state.tickets.tickets[static_cast<size_t>(t)],
                                    m_state.database.picksPerDraw(), m_state.database.highNumber(),
                                    m_services.dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, t] {
        m_state.tickets.tickets[static_cast<size_t>(t)] = dialog->ticket();
        changed();
    });
    dialog->open();
}

void TicketsWindow::deleteTicket()
{
    const int t = selectedTicket();
    if (t < 0 || !m_state.ticketsProblem.isEmpty()) return;
    const Ticket& ticket = m_state.tickets.tickets[static_cast<size_t>(t)];
    const QString name = ticket.label.isEmpty() ? QStringLiteral("ticket %1").arg(t + 1)
                                                : QStringLiteral("\"%1\"").arg(ticket.label);
    if (!m_services.dialogs.ask(
            kTitle, QStringLiteral("Yes will delete %1 and the amounts typed for it.").arg(name)))
        return;
    Book& book = m_state.tickets;
    book.tickets.erase(book.tickets.begin() + t);
    // The amounts typed for later tickets move up with them.
    std::vector<WonAmount> kept;
    for (WonAmount w : book.won) {
        if (w.ticket == t + 1) continue;
        if (w.ticket > t + 1) --w.ticket;
        kept.push_back(w);
    }
    book.won = kept;
    changed();
}

void TicketsWindow::readFormsFile()
{
    const std::optional<QString> path = m_services.dialogs.chooseFile(
        ui::FileMode::Open, QStringLiteral("Forms (*.txt *.csv)"), QString());
    if (!path) return;
    QString reason;
    const auto forms = odds::ReadFormsFile(*path, m_state.database.highNumber(),
                                           m_state.database.picksPerDraw(), MaxFormSize, reason);
    if (!forms) {
        m_services.dialogs.message(
            kTitle, QStringLiteral("%1: %2.").arg(QFileInfo(*path).fileName(), reason));
        return;
    }
    newTicket(std::vector<std::vector<int>>(forms->begin(), forms->end()));
}

void TicketsWindow::setPrize()
{
    const QList<QTableWidgetItem*> items = m_prizes->selectedItems();
    if (items.isEmpty() || !m_state.ticketsProblem.isEmpty()) return;
    const int matches = items.front()->row() + 1;
    auto* dialog = new PrizeDialog(matches, m_state.database.picksPerDraw(),
                                   m_state.tickets.prizes[static_cast<size_t>(matches)],
                                   m_services.dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, matches] {
        m_state.tickets.prizes[static_cast<size_t>(matches)] = dialog->prize();
        changed();
        m_prizes->selectRow(matches - 1);
    });
    dialog->open();
}

void TicketsWindow::typeAmountWon()
{
    const int t = selectedTicket();
    const QList<QTableWidgetItem*> items = m_results->selectedItems();
    if (t < 0 || items.isEmpty() || !m_state.ticketsProblem.isEmpty()) return;
    const auto [d, f] = m_resultRows[static_cast<size_t>(items.front()->row())];
    const DrawPlayed& draw = m_check.tickets[static_cast<size_t>(t)].draws[static_cast<size_t>(d)];
    if (!draw.forms[static_cast<size_t>(f)].varies) {
        m_services.dialogs.message(kTitle, QStringLiteral("Choose a result whose prize varies."));
        return;
    }
    auto* dialog = new AmountDialog(QStringLiteral("Amount Won"),
                                    QStringLiteral("&Amount won by form %1 on %2:")
                                        .arg(f + 1)
                                        .arg(draw.date.toString(Qt::ISODate)),
                                    m_services.dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QDate date = draw.date;
    connect(dialog, &QDialog::accepted, this, [this, dialog, t, f = f, date] {
        std::vector<WonAmount>& won = m_state.tickets.won;
        std::erase_if(won, [&](const WonAmount& w) {
            return w.ticket == t + 1 && w.form == f + 1 && w.draw == date;
        });
        won.push_back({t + 1, f + 1, date, dialog->amount()});
        changed();
    });
    dialog->open();
}

void TicketsWindow::post()
{
    // Proposed: every draw played so far, from the first to the last.
    QDate from, to;
    for (const TicketResult& r : m_check.tickets)
        for (const DrawPlayed& d : r.draws) {
            if (!from.isValid() || d.date < from) from = d.date;
            if (!to.isValid() || d.date > to) to = d.date;
        }
    if (!from.isValid()) {
        m_services.dialogs.message(
            kTitle, QStringLiteral("No draw has been played yet: there is nothing to post."));
        return;
    }
    auto* dialog = new RangeDialog(from, to, m_services.dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { postRange(dialog->from(), dialog->to()); });
    dialog->open();
}

void TicketsWindow::postRange(const QDate& from, const QDate& to)
{
    const Posting posting =
        PostingFor(m_state.tickets, m_check, from, to, m_state.database.picksPerDraw());
    if (posting.rows.empty()) {
        m_services.dialogs.message(kTitle,
                                   QStringLiteral("No ticket played a draw from %1 to %2: there "
                                                  "is nothing to post.")
                                       .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate)));
        return;
    }
    const std::optional<QString> path = m_services.dialogs.chooseFile(
        ui::FileMode::Save, QStringLiteral("Investment Tracker Databases (*.inv)"),
        QStringLiteral("Tickets.inv"));
    if (!path) return;
    inv::InvestmentSheet sheet;
    if (QFileInfo::exists(*path) && inv::Load(*path, sheet) != inv::LoadResult::Ok) {
        m_services.dialogs.message(
            kTitle, QStringLiteral(
                        "%1 is not an investment sheet this program can read; nothing was posted.")
                        .arg(QFileInfo(*path).fileName()));
        return;
    }
    if (AlreadyPosted(sheet, posting) &&
        !m_services.dialogs.ask(
            kTitle,
            QStringLiteral("%1 already holds tickets of these draws. Yes will post them again.")
                .arg(QFileInfo(*path).fileName())))
        return;
    if (Post(sheet, posting) == PostOutcome::WouldOverflow) {
        m_services.dialogs.message(
            kTitle, QStringLiteral("%1 has no room for %2 more rows; it is left as it was.")
                        .arg(QFileInfo(*path).fileName())
                        .arg(posting.rows.size()));
        return;
    }
    if (!inv::Save(*path, sheet)) {
        m_services.dialogs.message(kTitle,
                                   QStringLiteral("%1 cannot be written; nothing was posted.")
                                       .arg(QFileInfo(*path).fileName()));
        return;
    }
    QString done =
        QStringLiteral("Posted %1 rows, from %2 to %3, to %4.")
            .arg(posting.rows.size())
            .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate), QFileInfo(*path).fileName());
    if (posting.unknownPrizes > 0)
        done += QStringLiteral(" %1 prizes that vary are not typed yet and were left out.")
                    .arg(posting.unknownPrizes);
    m_services.dialogs.message(kTitle, done);
}

void TicketsWindow::print()
{
    if (!ui::ConfirmPrintout(m_services.dialogs)) return;
    m_services.printer.printText(ComposeTicketsStatement(m_state, m_check),
                                 QStringLiteral("Tickets Statement"));
}

void TicketsWindow::closeEvent(QCloseEvent* event)
{
    // What was shown is no longer new: the next opening marks only later draws.
    QDate last;
    for (const TicketResult& r : m_check.tickets)
        for (const DrawPlayed& d : r.draws)
            last = std::max(last, d.date);
    if (m_state.ticketsProblem.isEmpty() && last.isValid() &&
        (!m_state.tickets.seenUpTo.isValid() || last > m_state.tickets.seenUpTo)) {
        m_state.tickets.seenUpTo = last;
        Q_EMIT ticketsChanged();
    }
    event->accept();
    if (m_exited.first()) Q_EMIT exitToMenu();
}

} // namespace tickets
