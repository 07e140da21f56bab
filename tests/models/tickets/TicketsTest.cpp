#include "models/tickets/Tickets.h"
#include "models/tickets/Posting.h"
#include "support/Draws.h"
#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using namespace tickets;

namespace {

const QDate kDec5(2026, 12, 5);
const QDate kDec12(2026, 12, 12);
const QDate kDec19(2026, 12, 19);

// Three weekly draws of 6 from 49.
database::DrawDatabase ThreeDraws()
{
    return MakeDrawDatabase(49, 6,
                            {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 20, 21, 22}, {7, 8, 9, 10, 30, 31}},
                            {kDec5, kDec12, kDec19});
}

// Two forms from 12 December for three draws at 1.00; 3 matches pay 10.00, 4 vary, 6 pay a
// million.
Book TwoForms()
{
    Book book;
    book.tickets.push_back(
        {QStringLiteral("Week"), {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, kDec12, 3, 100});
    book.prizes[3] = {PrizeKind::Fixed, 1000};
    book.prizes[4] = {PrizeKind::Varies, 0};
    book.prizes[6] = {PrizeKind::Fixed, 100'000'000};
    return book;
}

double Choose(int n, int k)
{
    double c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

} // namespace

TEST(Tickets, PlayTheDrawsFromTheirFirstDateAndPayByTheTable)
{
    database::DrawDatabase db = ThreeDraws();
    Book book = TwoForms();
    Check check = CheckTickets(db, book);
    ASSERT_EQ(check.tickets.size(), 1u);
    const TicketResult& t = check.tickets[0];
    // 12 and 19 December are played, the third draw is still to come.
    EXPECT_EQ(t.played, 2);
    EXPECT_EQ(t.toCome, 1);
    EXPECT_EQ(t.spent, 400);
    ASSERT_EQ(t.draws.size(), 2u);
    EXPECT_EQ(t.draws[0].date, kDec12);
    EXPECT_EQ(t.draws[0].forms[0].matches, 3);
    EXPECT_EQ(t.draws[0].forms[0].prize, std::optional<Cents>(1000));
    EXPECT_EQ(t.draws[0].forms[1].matches, 0);
    EXPECT_EQ(t.draws[1].forms[1].matches, 4);
    // Four matches vary: unknown until the player types what the operator paid.
    EXPECT_EQ(t.draws[1].forms[1].prize, std::nullopt);
    EXPECT_EQ(t.won, 1000);
    EXPECT_EQ(t.unknownPrizes, 1);
    EXPECT_EQ(check.totals.net(), 600);

    book.won.push_back({1, 2, kDec19, 5520});
    check = CheckTickets(db, book);
    EXPECT_EQ(check.totals.won, 6520);
    EXPECT_EQ(check.totals.unknownPrizes, 0);

    // A corrected draw changes the prize: 12 December now holds two of form 1.
    db.record(2).Numbers = {1, 2, 40, 41, 42, 43};
    EXPECT_EQ(CheckTickets(db, book).totals.won, 5520);
    // A draw marked for deletion is not played: the ticket waits for one more.
    db.record(3).DrawDate = database::DrawDatabase::DeletionMarker;
    check = CheckTickets(db, book);
    EXPECT_EQ(check.tickets[0].played, 1);
    EXPECT_EQ(check.tickets[0].toCome, 2);
    EXPECT_EQ(check.totals.spent, 200);
}

TEST(Tickets, ShortFormsOutOfOrderDatesAndNewResults)
{
    // Records out of date order are played in date order.
    database::DrawDatabase db =
        MakeDrawDatabase(49, 6, {{7, 8, 9, 10, 30, 31}, {1, 2, 3, 4, 5, 6}}, {kDec19, kDec5});
    Book book;
    // A form of three numbers in a lottery of six, played on one draw.
    book.tickets.push_back({{}, {{1, 2, 3}}, kDec5, 1, 50});
    book.prizes[3] = {PrizeKind::Fixed, 250};
    book.seenUpTo = kDec5;
    Check check = CheckTickets(db, book);
    ASSERT_EQ(check.tickets[0].draws.size(), 1u);
    EXPECT_EQ(check.tickets[0].draws[0].record, 2);
    EXPECT_EQ(check.tickets[0].draws[0].forms[0].matches, 3);
    EXPECT_FALSE(check.tickets[0].draws[0].isNew);
    EXPECT_EQ(check.totals.won, 250);
    book.tickets[0].draws = 2;
    check = CheckTickets(db, book);
    EXPECT_TRUE(check.tickets[0].draws[1].isNew);
    // A ticket whose first draw is after the last: everything to come, nothing spent.
    book.tickets.push_back({{}, {{1, 2, 3}}, QDate(2027, 1, 1), 4, 50});
    check = CheckTickets(db, book);
    EXPECT_EQ(check.tickets[1].played, 0);
    EXPECT_EQ(check.tickets[1].toCome, 4);
    EXPECT_EQ(check.tickets[1].spent, 0);
}

TEST(Tickets, TheExpectationFollowsTheExactOddsAndStopsAtAPrizeThatVaries)
{
    Book book;
    book.prizes[3] = {PrizeKind::Fixed, 1000};
    book.prizes[6] = {PrizeKind::Fixed, 100'000'000};
    // P(3 of 6) = C(6,3) C(43,3) / C(49,6); P(6) = 1 / C(49,6).
    const double all = Choose(49, 6);
    const double expected = 10.0 * Choose(6, 3) * Choose(43, 3) / all + 1'000'000.0 / all;
    ASSERT_TRUE(ExpectedPrize(book, 49, 6, 6).has_value());
    EXPECT_NEAR(*ExpectedPrize(book, 49, 6, 6), expected, 1e-12);
    // A form of 5 can never hold 6: only the 3 tier counts.
    EXPECT_NEAR(*ExpectedPrize(book, 49, 6, 5), 10.0 * Choose(5, 3) * Choose(44, 3) / all, 1e-12);
    book.prizes[4] = {PrizeKind::Varies, 0};
    EXPECT_EQ(ExpectedPrize(book, 49, 6, 6), std::nullopt);
    // A tier a form cannot reach does not make it unknown.
    EXPECT_TRUE(ExpectedPrize(book, 49, 6, 3).has_value());

    // Over the draws played: two forms on two draws.
    const Check check = CheckTickets(ThreeDraws(), TwoForms());
    EXPECT_EQ(check.totals.expectedWon, std::nullopt);
    Book fixed = TwoForms();
    fixed.prizes[4] = {};
    const std::optional<double> total = CheckTickets(ThreeDraws(), fixed).totals.expectedWon;
    ASSERT_TRUE(total.has_value());
    EXPECT_NEAR(*total, 4 * expected, 1e-9);
}

TEST(Tickets, AmountsReadAndWriteExactly)
{
    const struct {
        const char* text;
        std::optional<Cents> cents;
    } cases[] = {
        {"12.50", 1250},
        {"12.5", 1250},
        {"12", 1200},
        {" 0.07 ", 7},
        {"12.", 1200},
        {"10000000000.00", MaxAmount},
        {"10000000000.01", std::nullopt},
        {"-1", std::nullopt},
        {"1.005", std::nullopt},
        {"1,50", std::nullopt},
        {"", std::nullopt},
        {"varies", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAmount(QString::fromLatin1(c.text)), c.cents) << c.text;
        if (c.cents) {
            EXPECT_EQ(ParseAmount(PlainAmount(*c.cents)), c.cents) << c.text;
        }
    }
    EXPECT_EQ(PlainAmount(-1205), QStringLiteral("-12.05"));
    EXPECT_EQ(PlainAmount(-5), QStringLiteral("-0.05"));
}

TEST(Tickets, TheProblemOfATicketIsNamed)
{
    const struct {
        Ticket ticket;
        const char* problem;
    } cases[] = {
        {{{}, {{1, 2, 3, 4, 5, 6}}, kDec5, 1, 100}, ""},
        {{{}, {}, kDec5, 1, 100}, "a ticket needs at least one form"},
        {{{}, {{1, 2, 3, 4, 5, 6, 7}}, kDec5, 1, 100}, "form 1: 7 numbers, more than the 6 drawn"},
        {{{}, {{1, 2}, {1, 50}}, kDec5, 1, 100}, "form 2: 50 is outside 1 to 49"},
        {{{}, {{2, 2}}, kDec5, 1, 100}, "form 1: 2 is on the form twice"},
        {{{}, {{1}}, QDate(), 1, 100}, "the first draw needs a date"},
        {{{}, {{1}}, kDec5, 521, 100}, "a ticket plays 1 to 520 draws"},
        {{QStringLiteral("a \"b\""), {{1}}, kDec5, 1, 100}, "a label cannot hold a double quote"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TicketProblem(c.ticket, 6, 49), QString::fromLatin1(c.problem));
}

TEST(Tickets, ANewTicketIsProposedFromTheDayAfterTheLastDraw)
{
    const QDate today(2027, 3, 1);
    const struct {
        database::DrawDatabase db;
        QDate first;
    } cases[] = {
        {database::DrawDatabase(), today},
        {ThreeDraws(), QDate(2026, 12, 20)},
        {MakeDrawDatabase(49, 6, {{1, 2, 3, 4, 5, 6}}, QDate(2026, 12, 31)), QDate(2027, 1, 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProposedFirstDraw(c.db, today), c.first);
}

TEST(Posting, RowsPerDateAndTierThenASubTotalWithinTheSheet)
{
    Book book = TwoForms();
    book.won.push_back({1, 2, kDec19, 5520});
    const Check check = CheckTickets(ThreeDraws(), book);
    const Posting posting = PostingFor(book, check, kDec5, kDec19, 6);
    ASSERT_EQ(posting.rows.size(), 5u);
    EXPECT_EQ(posting.rows[0].description, QStringLiteral("Tickets 2026-12-12"));
    EXPECT_EQ(posting.rows[0].amount, -200);
    EXPECT_EQ(posting.rows[1].description, QStringLiteral("Prize 2026-12-12 3 of 6"));
    EXPECT_EQ(posting.rows[1].amount, 1000);
    EXPECT_EQ(posting.rows[2].description, QStringLiteral("Tickets 2026-12-19"));
    EXPECT_EQ(posting.rows[3].description, QStringLiteral("Prize 2026-12-19 4 of 6"));
    EXPECT_EQ(posting.rows[3].amount, 5520);
    EXPECT_EQ(posting.rows[4].description, QStringLiteral("Sub Total"));
    EXPECT_TRUE(PostingFor(book, check, kDec5, kDec5, 6).rows.empty());

    inv::InvestmentSheet sheet;
    // 100 rows in use: five more fit exactly, six do not.
    for (int r = 1; r <= 100; ++r) {
        sheet.setCell(r, 0, inv::Cell::Text(QStringLiteral("Row %1").arg(r)));
        sheet.setCell(r, 1, inv::Cell::Number(1));
    }
    sheet.calculate();
    EXPECT_FALSE(AlreadyPosted(sheet, posting));
    EXPECT_EQ(Post(sheet, posting), PostOutcome::Posted);
    EXPECT_EQ(sheet.SheetRowCount, 105);
    EXPECT_DOUBLE_EQ(sheet.cell(105, 1).value(), 100 - 2 + 10 - 2 + 55.20);
    EXPECT_DOUBLE_EQ(sheet.SheetTotal, 100 - 2 + 10 - 2 + 55.20);
    EXPECT_TRUE(AlreadyPosted(sheet, posting));
    const inv::InvestmentSheet before = sheet;
    EXPECT_EQ(Post(sheet, PostingFor(book, check, kDec12, kDec12, 6)), PostOutcome::WouldOverflow);
    for (int r = 1; r <= inv::InvestmentSheet::LastRow; ++r)
        EXPECT_EQ(sheet.cell(r, 0), before.cell(r, 0));
    EXPECT_EQ(Post(sheet, PostingFor(book, check, kDec5, kDec5, 6)), PostOutcome::NothingToPost);
}

// The price a wheel is costed at: the latest ticket's, the last entered among tickets of one date.
TEST(Tickets, TheCurrentPriceOfAFormIsTheLatestTickets)
{
    const auto ticket = [](QDate first, Cents price) {
        return Ticket{{}, {{1, 2, 3, 4, 5, 6}}, first, 1, price};
    };
    const QDate dec5(2026, 12, 5);
    const QDate dec12(2026, 12, 12);
    const struct {
        std::vector<Ticket> tickets;
        std::optional<Cents> price;
    } cases[] = {
        {{}, std::nullopt},
        {{ticket(dec12, 300), ticket(dec5, 200)}, 300},
        {{ticket(dec5, 200), ticket(dec5, 250)}, 250},
        {{ticket(dec5, 200), ticket(dec12, 0)}, std::nullopt},
    };
    for (const auto& c : cases) {
        Book book;
        book.tickets = c.tickets;
        EXPECT_EQ(CurrentFormPrice(book), c.price);
    }
}
