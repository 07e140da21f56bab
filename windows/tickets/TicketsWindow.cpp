#include "windows/tickets/TicketsWindow.h"

#include "models/odds/FormsFile.h"
#include "models/state/AppState.h"
#include "models/tickets/Posting.h"
#include "text/Format.h"
#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/FitToScreen.h"
#include "ui/Printer.h"
#include "ui/Services.h"
#include "windows/tickets/TicketDialogs.h"
#include "windows/tickets/TicketsStatement.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace tickets {

namespace {

QTableWidget* Table(const QString& name, const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setTabKeyNavigation(false);
    return table;
}

void Set(QTableWidget* table, int row, int col, const QString& text, bool right = false)
{
    auto* item = new QTableWidgetItem(text);
    if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, col, item);
}

QString Numbers(const std::vector<int>& numbers)
{
    QStringList out;
    for (int n : numbers)
        out << QString::number(n);
    return out.join(QLatin1Char(' '));
}

// A label above a table, naming it for the keyboard and for screen readers.
QLabel* Caption(const QString& text, QWidget* box, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    ui::LabelFor(label, box);
    return label;
}

} // namespace

TicketsWindow::TicketsWindow(core::AppState& state, ui::Services& services, QWidget* parent)
    : QWidget(parent), m_state(state), m_services(services)
{
    setObjectName(QStringLiteral("LTickets"));
    setWindowTitle(QStringLiteral("Tickets"));
    buildControls();
    connectButtons();
    refresh();
    ui::FitToScreen(this);
}

void TicketsWindow::buildButtons()
{
    m_new = ui::NamedButton(QStringLiteral("TicketNew"), QStringLiteral("&New Ticket..."), this);
    m_edit = ui::NamedButton(QStringLiteral("TicketEdit"), QStringLiteral("&Edit..."), this);
    m_delete = ui::NamedButton(QStringLiteral("TicketDelete"), QStringLiteral("&Delete"), this);
    m_formsFile =
        ui::NamedButton(QStringLiteral("TicketForms"), QStringLiteral("Read &Forms File..."), this);
    m_amountWon =
        ui::NamedButton(QStringLiteral("TicketWon"), QStringLiteral("Amount &Won..."), this);
    m_setPrize = ui::NamedButton(QStringLiteral("PrizeSet"), QStringLiteral("Set P&rize..."), this);
    m_post = ui::NamedButton(QStringLiteral("TicketPost"),
                             QStringLiteral("P&ost to Investment Sheet..."), this);
    m_print = ui::NamedButton(QStringLiteral("TicketPrint"), QStringLiteral("&Print"), this);
    m_exit = ui::NamedButton(QStringLiteral("TicketExit"), QStringLiteral("E&xit to Menu"), this);
}

void TicketsWindow::describeControls()
{
    m_list->setAccessibleDescription(QStringLiteral(
        "Every ticket: its label, forms, first draw, draws played and to come, spent and won"));
    m_results->setAccessibleDescription(QStringLiteral(
        "The selected ticket's forms against every draw it played: the matched numbers, the "
        "prize, and whether the result is new"));
    m_prizes->setAccessibleDescription(QStringLiteral("The prize for each number of matches"));
}

void TicketsWindow::buildControls()
{
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("TicketsProblem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold"));
    m_list =
        Table(QStringLiteral("TicketList"),
              {QStringLiteral("Label"), QStringLiteral("Forms"), QStringLiteral("First draw"),
               QStringLiteral("Played / to come"), QStringLiteral("Spent"), QStringLiteral("Won")},
              this);
    m_results = Table(QStringLiteral("TicketResults"),
                      {QStringLiteral("Draw"), QStringLiteral("Form"), QStringLiteral("Numbers"),
                       QStringLiteral("Matched"), QStringLiteral("Prize"), QString()},
                      this);
    m_prizes = Table(QStringLiteral("PrizeTable"),
                     {QStringLiteral("Matches"), QStringLiteral("Prize")}, this);
    m_prizes->setMaximumWidth(m_prizes->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 34);
    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("TicketTotals"));
    m_honest = new QLabel(this);
    m_honest->setObjectName(QStringLiteral("HonestLine"));
    m_honest->setWordWrap(true);
    m_honest->setTextInteractionFlags(Qt::TextSelectableByMouse);

    buildButtons();
    describeControls();

    auto* ticketButtons = new QHBoxLayout;
    for (QPushButton* b : {m_new, m_edit, m_delete, m_formsFile})
        ticketButtons->addWidget(b);
    ticketButtons->addStretch();
    auto* resultsColumn = new QVBoxLayout;
    resultsColumn->addWidget(
        Caption(QStringLiteral("Res&ults of the selected ticket:"), m_results, this));
    resultsColumn->addWidget(m_results, 1);
    auto* prizeColumn = new QVBoxLayout;
    prizeColumn->addWidget(Caption(QStringLiteral("Pri&zes:"), m_prizes, this));
    prizeColumn->addWidget(m_prizes, 1);
    prizeColumn->addWidget(m_setPrize);
    auto* middle = new QHBoxLayout;
    middle->addLayout(resultsColumn, 3);
    middle->addLayout(prizeColumn, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_amountWon);
    bottom->addWidget(m_post);
    bottom->addStretch();
    bottom->addWidget(m_print);
    bottom->addWidget(m_exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_problem);
    layout->addWidget(Caption(QStringLiteral("&Tickets:"), m_list, this));
    layout->addWidget(m_list, 1);
    layout->addLayout(ticketButtons);
    layout->addLayout(middle, 2);
    layout->addWidget(m_totals);
    layout->addWidget(m_honest);
    layout->addLayout(bottom);
    resize(900, 640);
}

void TicketsWindow::connectButtons()
{
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &TicketsWindow::showResults);
    connect(m_new, &QPushButton::clicked, this, [this] { newTicket(); });
    connect(m_edit, &QPushButton::clicked, this, &TicketsWindow::editTicket);
    connect(m_delete, &QPushButton::clicked, this, &TicketsWindow::deleteTicket);
    connect(m_formsFile, &QPushButton::clicked, this, &TicketsWindow::readFormsFile);
    connect(m_amountWon, &QPushButton::clicked, this, &TicketsWindow::typeAmountWon);
    connect(m_setPrize, &QPushButton::clicked, this, &TicketsWindow::setPrize);
    connect(m_post, &QPushButton::clicked, this, &TicketsWindow::post);
    connect(m_print, &QPushButton::clicked, this, &TicketsWindow::print);
    connect(m_exit, &QPushButton::clicked, this, &TicketsWindow::close);
}

void TicketsWindow::refresh()
{
    m_check = CheckTickets(m_state.database, m_state.tickets);
    m_problem->setText(m_state.ticketsProblem);
    m_problem->setVisible(!m_state.ticketsProblem.isEmpty());
    // A side file that could not be read is not written over from here.
    const bool locked = !m_state.ticketsProblem.isEmpty();
    for (QPushButton* b : {m_new, m_formsFile, m_setPrize})
        b->setEnabled(!locked);
    showTickets();
    showPrizes();
    showTotals();
}

void TicketsWindow::showTickets()
{
    const int keep = std::max(0, selectedTicket());
    const Book& book = m_state.tickets;
    m_list->setRowCount(static_cast<int>(book.tickets.size()));
    for (size_t i = 0; i < book.tickets.size(); ++i) {
        const Ticket& t = book.tickets[i];
        const TicketResult& r = m_check.tickets[i];
        const int row = static_cast<int>(i);
        Set(m_list, row, 0, t.label.isEmpty() ? QStringLiteral("Ticket %1").arg(i + 1) : t.label);
        Set(m_list, row, 1, QString::number(t.forms.size()), true);
        Set(m_list, row, 2, t.firstDraw.toString(Qt::ISODate));
        Set(m_list, row, 3, QStringLiteral("%1 / %2").arg(r.played).arg(r.toCome), true);
        Set(m_list, row, 4,
            text::Money(static_cast<double>(r.spent) / 100.0, text::MoneyPattern::Total), true);
        Set(m_list, row, 5,
            text::Money(static_cast<double>(r.won) / 100.0, text::MoneyPattern::Total) +
                (r.unknownPrizes > 0 ? QStringLiteral(" + ?") : QString()),
            true);
    }
    m_list->resizeColumnsToContents();
    if (!book.tickets.empty())
        m_list->selectRow(std::min(keep, static_cast<int>(book.tickets.size()) - 1));
    for (QPushButton* b : {m_edit, m_delete})
        b->setEnabled(!book.tickets.empty());
    showResults();
}

int TicketsWindow::selectedTicket() const
{
    const QList<QTableWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : items.front()->row();
}

void TicketsWindow::showResults()
{
    m_results->setRowCount(0);
    m_resultRows.clear();
    const int t = selectedTicket();
    if (t < 0 || static_cast<size_t>(t) >= m_check.tickets.size()) return;
    const Ticket& ticket = m_state.tickets.tickets[static_cast<size_t>(t)];
    const TicketResult& result = m_check.tickets[static_cast<size_t>(t)];
    const int picks = m_state.database.picksPerDraw();
    for (size_t d = 0; d < result.draws.size(); ++d) {
        const DrawPlayed& draw = result.draws[d];
        const database::DrawRecord& record = m_state.database.record(draw.record);
        for (size_t f = 0; f < draw.forms.size(); ++f) {
            const std::vector<int>& form = ticket.forms[f];
            std::vector<int> matched;
            for (int n : form)
                if (std::find(record.Numbers.begin(), record.Numbers.begin() + picks, n) !=
                    record.Numbers.begin() + picks)
                    matched.push_back(n);
            const FormResult& r = draw.forms[f];
            const int row = m_results->rowCount();
            m_results->insertRow(row);
            m_resultRows.emplace_back(static_cast<int>(d), static_cast<int>(f));
            Set(m_results, row, 0, draw.date.toString(Qt::ISODate));
            Set(m_results, row, 1, QString::number(f + 1), true);
            Set(m_results, row, 2, Numbers(form));
            Set(m_results, row, 3, QStringLiteral("%1: %2").arg(r.matches).arg(Numbers(matched)));
            Set(m_results, row, 4,
                r.prize
                    ? text::Money(static_cast<double>(*r.prize) / 100.0, text::MoneyPattern::Total)
                    : QStringLiteral("varies: type it"),
                true);
            Set(m_results, row, 5, draw.isNew ? QStringLiteral("new") : QString());
            if (!r.prize || *r.prize > 0)
                for (int c = 0; c < m_results->columnCount(); ++c) {
                    QFont bold = m_results->item(row, c)->font();
                    bold.setBold(true);
                    m_results->item(row, c)->setFont(bold);
                }
        }
    }
    m_results->resizeColumnsToContents();
    if (m_results->rowCount() > 0) m_results->selectRow(0);
}

void TicketsWindow::showPrizes()
{
    const int picks = m_state.database.picksPerDraw();
    m_prizes->setRowCount(picks);
    for (int m = 1; m <= picks; ++m) {
        const Prize& p = m_state.tickets.prizes[static_cast<size_t>(m)];
        Set(m_prizes, m - 1, 0, QStringLiteral("%1 of %2").arg(m).arg(picks));
        Set(m_prizes, m - 1, 1,
            p.kind == PrizeKind::Fixed
                ? text::Money(static_cast<double>(p.amount) / 100.0, text::MoneyPattern::Total)
            : p.kind == PrizeKind::Varies ? QStringLiteral("varies")
                                          : QStringLiteral("-"),
            true);
    }
    m_prizes->resizeColumnsToContents();
    m_prizes->selectRow(picks - 1);
}

void TicketsWindow::showTotals()
{
    const Totals& totals = m_check.totals;
    const QString symbol = m_state.settings.CurrencySymbol;
    // The sign goes before the symbol: -$8,730.00.
    auto money = [&symbol](double v) {
        return (v < 0 ? QStringLiteral("-") : QString()) + symbol +
               text::Money(std::abs(v), text::MoneyPattern::Total);
    };
    m_totals->setText(QStringLiteral("All tickets:  spent %1   won %2   net %3%4")
                          .arg(money(static_cast<double>(totals.spent) / 100.0),
                               money(static_cast<double>(totals.won) / 100.0),
                               money(static_cast<double>(totals.net()) / 100.0),
                               totals.unknownPrizes > 0
                                   ? QStringLiteral("   (%1 prizes that vary still to type)")
                                         .arg(totals.unknownPrizes)
                                   : QString()));
    m_honest->setText(
        HonestLine(totals, [](double v) { return text::Money(v, text::MoneyPattern::Total); }));
}

void TicketsWindow::changed()
{
    refresh();
    Q_EMIT ticketsChanged();
}

void TicketsWindow::newTicket(const std::vector<std::vector<int>>& forms)
{
    if (!m_state.ticketsProblem.isEmpty()) return;
    Ticket proposed;
    proposed.forms = forms;
    proposed.firstDraw = ProposedFirstDraw(m_state.database, m_services.clock.today());
    auto* dialog = new TicketDialog(proposed, m_state.database.picksPerDraw(),
                                    m_state.database.highNumber(), m_services.dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        m_state.tickets.tickets.push_back(dialog->ticket());
        changed();
        m_list->selectRow(m_list->rowCount() - 1);
    });
    dialog->open();
}

} // namespace tickets
