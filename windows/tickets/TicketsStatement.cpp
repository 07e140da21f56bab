#include "windows/tickets/TicketsStatement.h"

#include "models/state/AppState.h"
#include "text/Format.h"

#include <QFileInfo>

namespace tickets {

namespace {

QString Amount(Cents cents)
{
    return text::Money(static_cast<double>(cents) / 100.0, text::MoneyPattern::Total);
}

QString Numbers(const std::vector<int>& numbers)
{
    QStringList out;
    for (int n : numbers)
        out << QString::number(n).rightJustified(2);
    return out.join(QLatin1Char(' '));
}

// Prints `text` word-wrapped at `width` characters, each line from column `column`.
void Wrapped(ui::TextPrinter& out, const QString& text, int column, int width)
{
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            out.tab(column);
            out.print(line);
            out.endLine();
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (line.isEmpty()) return;
    out.tab(column);
    out.print(line);
    out.endLine();
}

void PrintTicket(ui::TextPrinter& out, const Ticket& t, const TicketResult& r, int index)
{
    out.tab(3);
    out.print(QStringLiteral("Ticket %1%2")
                  .arg(index)
                  .arg(t.label.isEmpty() ? QString() : QStringLiteral(": ") + t.label));
    out.endLine();
    out.tab(5);
    out.print(
        QStringLiteral("%1 forms from %2, %3 draws (%4 played, %5 to come), %6 a form and draw")
            .arg(t.forms.size())
            .arg(t.firstDraw.toString(Qt::ISODate))
            .arg(t.draws)
            .arg(r.played)
            .arg(r.toCome)
            .arg(Amount(t.price)));
    out.endLine();
    for (size_t f = 0; f < t.forms.size(); ++f) {
        out.tab(5);
        out.print(QStringLiteral("Form %1: %2").arg(f + 1).arg(Numbers(t.forms[f])));
        out.endLine();
    }
    for (const DrawPlayed& d : r.draws) {
        out.tab(5);
        out.print(d.date.toString(Qt::ISODate));
        for (size_t f = 0; f < d.forms.size(); ++f) {
            const FormResult& res = d.forms[f];
            out.tab(18 + static_cast<int>(f % 3) * 20);
            const QString prize = !res.prize       ? QStringLiteral(" varies")
                                  : *res.prize > 0 ? QLatin1Char(' ') + Amount(*res.prize)
                                                   : QString();
            out.print(QStringLiteral("%1: %2").arg(f + 1).arg(res.matches) + prize);
            if (f % 3 == 2 && f + 1 < d.forms.size()) out.endLine();
        }
        out.endLine();
    }
    out.tab(5);
    out.print(QStringLiteral("Spent %1, won %2").arg(Amount(r.spent), Amount(r.won)));
    out.endLine();
    out.endLine();
}

} // namespace

ui::TextDocument ComposeTicketsStatement(const core::AppState& state, const Check& check)
{
    ui::TextPrinter out;
    out.tab(3);
    out.print(QStringLiteral("Tickets of %1")
                  .arg(state.LastFileName.isEmpty() ? QStringLiteral("the database in memory")
                                                    : state.LastFileName));
    out.endLine();
    out.endLine();
    for (size_t t = 0; t < state.tickets.tickets.size() && t < check.tickets.size(); ++t)
        PrintTicket(out, state.tickets.tickets[t], check.tickets[t], static_cast<int>(t) + 1);
    const Totals& totals = check.totals;
    out.tab(3);
    out.print(QStringLiteral("All tickets: spent %1, won %2, net %3")
                  .arg(state.settings.CurrencySymbol + Amount(totals.spent),
                       state.settings.CurrencySymbol + Amount(totals.won),
                       state.settings.CurrencySymbol + Amount(totals.net())));
    out.endLine();
    Wrapped(out,
            HonestLine(totals, [](double v) { return text::Money(v, text::MoneyPattern::Total); }),
            3, 74);
    out.finish();
    return out.document();
}

} // namespace tickets
