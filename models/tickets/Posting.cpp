#include "models/tickets/Posting.h"

#include <map>
#include <utility>

namespace tickets {

Posting PostingFor(const Book& book, const Check& check, const QDate& from, const QDate& to,
                   int picks)
{
    // Per date: what was spent, and what each tier won.
    std::map<QDate, Cents> spent;
    std::map<std::pair<QDate, int>, Cents> won;
    Posting posting;
    for (size_t t = 0; t < check.tickets.size() && t < book.tickets.size(); ++t) {
        const Ticket& ticket = book.tickets[t];
        for (const DrawPlayed& draw : check.tickets[t].draws) {
            if (draw.date < from || draw.date > to) continue;
            spent[draw.date] += ticket.price * static_cast<Cents>(ticket.forms.size());
            for (const FormResult& form : draw.forms) {
                if (!form.prize) {
                    ++posting.unknownPrizes;
                    continue;
                }
                if (*form.prize > 0) won[{draw.date, form.matches}] += *form.prize;
            }
        }
    }
    for (const auto& [date, amount] : spent) {
        const QString day = date.toString(Qt::ISODate);
        posting.rows.push_back({QStringLiteral("Tickets %1").arg(day), -amount});
        for (auto it = won.lower_bound({date, 0}); it != won.end() && it->first.first == date; ++it)
            posting.rows.push_back(
                {QStringLiteral("Prize %1 %2 of %3").arg(day).arg(it->first.second).arg(picks),
                 it->second});
    }
    if (!posting.rows.empty()) posting.rows.push_back({QStringLiteral("Sub Total"), 0});
    return posting;
}

bool AlreadyPosted(const inv::InvestmentSheet& sheet, const Posting& posting)
{
    for (const PostingRow& row : posting.rows) {
        if (!row.description.startsWith(QLatin1String("Tickets "))) continue;
        for (int r = 1; r <= inv::InvestmentSheet::EditableRows; ++r)
            if (sheet.cell(r, 0).asText() == row.description) return true;
    }
    return false;
}

PostOutcome Post(inv::InvestmentSheet& sheet, const Posting& posting)
{
    if (posting.rows.empty()) return PostOutcome::NothingToPost;
    sheet.calculate();
    const int first = sheet.SheetRowCount + 1;
    const int last = first + static_cast<int>(posting.rows.size()) - 1;
    if (last > inv::InvestmentSheet::EditableRows) return PostOutcome::WouldOverflow;
    int row = first;
    for (const PostingRow& p : posting.rows) {
        sheet.setCell(row, 0, inv::Cell::Text(p.description));
        // A Sub Total's amount is the sheet's to calculate.
        sheet.setCell(row, 1,
                      p.description == QLatin1String("Sub Total")
                          ? inv::Cell{}
                          : inv::Cell::Number(static_cast<double>(p.amount) / 100.0));
        ++row;
    }
    sheet.calculate();
    return PostOutcome::Posted;
}

} // namespace tickets
