#include "models/tickets/Tickets.h"

#include "models/odds/Odds.h"

#include <QRegularExpression>

#include <algorithm>
#include <bit>
#include <cstdint>

namespace tickets {

bool Book::isEmpty() const
{
    const bool noPrize = std::all_of(prizes.begin(), prizes.end(),
                                     [](const Prize& p) { return p.kind == PrizeKind::None; });
    return tickets.empty() && noPrize && won.empty() && source.isEmpty();
}

QString TicketProblem(const Ticket& ticket, int picks, int high)
{
    if (ticket.forms.empty()) return QStringLiteral("a ticket needs at least one form");
    if (ticket.forms.size() > MaxForms)
        return QStringLiteral("a ticket holds at most %1 forms").arg(MaxForms);
    for (size_t f = 0; f < ticket.forms.size(); ++f) {
        const std::vector<int>& form = ticket.forms[f];
        const QString which = QStringLiteral("form %1: ").arg(f + 1);
        if (form.empty()) return which + QStringLiteral("no numbers");
        if (static_cast<int>(form.size()) > picks)
            return which +
                   QStringLiteral("%1 numbers, more than the %2 drawn").arg(form.size()).arg(picks);
        for (size_t i = 0; i < form.size(); ++i) {
            if (form[i] < 1 || form[i] > high)
                return which + QStringLiteral("%1 is outside 1 to %2").arg(form[i]).arg(high);
            if (i > 0 && form[i] == form[i - 1])
                return which + QStringLiteral("%1 is on the form twice").arg(form[i]);
            if (i > 0 && form[i] < form[i - 1])
                return which + QStringLiteral("the numbers are not in order");
        }
    }
    if (!ticket.firstDraw.isValid()) return QStringLiteral("the first draw needs a date");
    if (ticket.draws < 1 || ticket.draws > MaxDrawsPlayed)
        return QStringLiteral("a ticket plays 1 to %1 draws").arg(MaxDrawsPlayed);
    if (ticket.price < 0 || ticket.price > MaxAmount)
        return QStringLiteral("the price is outside 0 to %1").arg(PlainAmount(MaxAmount));
    if (ticket.label.contains(QLatin1Char('"')))
        return QStringLiteral("a label cannot hold a double quote");
    return {};
}

QDate ProposedFirstDraw(const database::DrawDatabase& db, const QDate& today)
{
    const auto records = db.records();
    return records.empty() ? today : records.back().DrawDate.addDays(1);
}

namespace {

std::uint64_t Mask(const std::vector<int>& numbers)
{
    std::uint64_t mask = 0;
    for (int n : numbers)
        if (n >= 1 && n <= 63) mask |= std::uint64_t{1} << n;
    return mask;
}

// The draws that count, in date order: every record with a date, the ones marked for deletion
// aside; records of one date keep their order.
std::vector<const database::DrawRecord*> DatedDraws(const database::DrawDatabase& db)
{
    std::vector<const database::DrawRecord*> draws;
    for (const database::DrawRecord& r : db.records())
        if (r.DrawDate.isValid() && r.DrawDate != database::DrawDatabase::DeletionMarker)
            draws.push_back(&r);
    std::stable_sort(draws.begin(), draws.end(),
                     [](const auto* a, const auto* b) { return a->DrawDate < b->DrawDate; });
    return draws;
}

// The prize of `matches` on one form of one ticket on one draw.
FormResult Result(const Book& book, int ticket, int form, const QDate& date, int matches)
{
    FormResult r;
    r.matches = matches;
    const Prize& prize = book.prizes[static_cast<size_t>(std::clamp(matches, 0, MaxFormSize))];
    switch (prize.kind) {
    case PrizeKind::None:
        r.prize = 0;
        break;
    case PrizeKind::Fixed:
        r.prize = prize.amount;
        break;
    case PrizeKind::Varies:
        r.varies = true;
        for (const WonAmount& w : book.won)
            if (w.ticket == ticket && w.form == form && w.draw == date) r.prize = w.amount;
        break;
    }
    if (matches == 0) {
        r.prize = 0;
        r.varies = false;
    }
    return r;
}

TicketResult CheckTicket(const Book& book, int index, const std::vector<std::uint64_t>& drawMasks,
                         const std::vector<const database::DrawRecord*>& draws)
{
    const Ticket& ticket = book.tickets[static_cast<size_t>(index)];
    TicketResult result;
    std::vector<std::uint64_t> formMasks;
    for (const auto& form : ticket.forms)
        formMasks.push_back(Mask(form));
    const auto first = std::lower_bound(
        draws.begin(), draws.end(), ticket.firstDraw,
        [](const database::DrawRecord* r, const QDate& d) { return r->DrawDate < d; });
    for (auto it = first; it != draws.end() && result.played < ticket.draws; ++it) {
        const size_t at = static_cast<size_t>(it - draws.begin());
        DrawPlayed played;
        played.record = (*it)->RecordNo;
        played.date = (*it)->DrawDate;
        played.isNew = !book.seenUpTo.isValid() || played.date > book.seenUpTo;
        for (size_t f = 0; f < formMasks.size(); ++f) {
            const int matches = std::popcount(formMasks[f] & drawMasks[at]);
            FormResult r = Result(book, index + 1, static_cast<int>(f) + 1, played.date, matches);
            if (r.prize)
                result.won += *r.prize;
            else
                ++result.unknownPrizes;
            played.forms.push_back(r);
        }
        result.draws.push_back(std::move(played));
        ++result.played;
    }
    result.toCome = ticket.draws - result.played;
    result.spent = ticket.price * static_cast<Cents>(ticket.forms.size()) * result.played;
    return result;
}

} // namespace

std::optional<double> ExpectedPrize(const Book& book, int high, int picks, int formSize)
{
    double expected = 0;
    for (const odds::MatchOdds& row : odds::SingleFormOdds(high, picks, formSize)) {
        if (row.matches < 1 || row.probability <= 0) continue;
        const Prize& prize = book.prizes[static_cast<size_t>(std::min(row.matches, MaxFormSize))];
        if (prize.kind == PrizeKind::Varies) return std::nullopt;
        if (prize.kind == PrizeKind::Fixed)
            expected += row.probability * static_cast<double>(prize.amount) / 100.0;
    }
    return expected;
}

Check CheckTickets(const database::DrawDatabase& db, const Book& book)
{
    const std::vector<const database::DrawRecord*> draws = DatedDraws(db);
    std::vector<std::uint64_t> masks;
    masks.reserve(draws.size());
    const int picks = db.picksPerDraw();
    for (const database::DrawRecord* r : draws)
        masks.push_back(Mask(std::vector<int>(r->Numbers.begin(), r->Numbers.begin() + picks)));

    Check check;
    std::optional<double> expected = 0.0;
    for (size_t t = 0; t < book.tickets.size(); ++t) {
        TicketResult r = CheckTicket(book, static_cast<int>(t), masks, draws);
        check.totals.spent += r.spent;
        check.totals.won += r.won;
        check.totals.unknownPrizes += r.unknownPrizes;
        for (const auto& form : book.tickets[t].forms) {
            if (!expected || r.played == 0) continue;
            const std::optional<double> one =
                ExpectedPrize(book, db.highNumber(), picks, static_cast<int>(form.size()));
            expected = one ? std::optional<double>(*expected + *one * r.played) : std::nullopt;
        }
        check.tickets.push_back(std::move(r));
    }
    check.totals.expectedWon = expected;
    return check;
}

QString HonestLine(const Totals& totals, const std::function<QString(double)>& money)
{
    const QString won = money(static_cast<double>(totals.won) / 100.0);
    if (totals.spent == 0) return QStringLiteral("No draw has been played yet.");
    if (!totals.expectedWon)
        return QStringLiteral("A prize that varies could have been won, so what you would expect "
                              "to have won is unknown (you won %1).")
            .arg(won);
    const double stake = static_cast<double>(totals.spent) / 100.0;
    return QStringLiteral("At these odds and prizes you would expect to have won %1 (you won %2); "
                          "each %3 staked returns %4 on average.")
        .arg(money(*totals.expectedWon), won, money(1.0),
             QString::number(*totals.expectedWon / stake, 'f', 2));
}

std::optional<Cents> CurrentFormPrice(const Book& book)
{
    const Ticket* latest = nullptr;
    for (const Ticket& ticket : book.tickets)
        if (latest == nullptr || ticket.firstDraw >= latest->firstDraw) latest = &ticket;
    if (latest == nullptr || latest->price <= 0) return std::nullopt;
    return latest->price;
}

QString PlainAmount(Cents amount)
{
    const Cents whole = amount / 100;
    const Cents cents = amount % 100;
    return QStringLiteral("%1%2.%3")
        .arg(amount < 0 ? QStringLiteral("-") : QString())
        .arg(whole < 0 ? -whole : whole)
        .arg(cents < 0 ? -cents : cents, 2, 10, QLatin1Char('0'));
}

std::optional<Cents> ParseAmount(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("^(\\d{1,13})(?:\\.(\\d{0,2}))?$"));
    const QRegularExpressionMatch m = amount.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const QString decimals = m.captured(2).leftJustified(2, QLatin1Char('0'));
    const Cents value = m.captured(1).toLongLong() * 100 + decimals.toLongLong();
    if (value > MaxAmount) return std::nullopt;
    return value;
}

} // namespace tickets
