#pragma once
// The tickets a player bought for one database: the forms played, the draws they play, what
// one form costs a draw, and the table of prizes by matches. Nothing about a result is stored:
// the tickets are checked against the database's draws whenever they are looked at, so a draw
// typed, corrected, deleted or imported changes every result at once.
#include "models/draws/DrawDatabase.h"

#include <QDate>
#include <QJsonObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace tickets {

// Money in cents, so that sums of prices and prizes are exact.
using Cents = qint64;

constexpr int MaxDrawsPlayed = 520; // ten years of weekly draws
constexpr int MaxForms = 100;       // forms on one ticket
constexpr int MaxTickets = 1000;
constexpr int MaxNumber = 60;
constexpr int MaxFormSize = 10;
// The investment sheet's limit for a typed amount, in cents.
constexpr Cents MaxAmount = 1'000'000'000'000;

struct Ticket {
    QString label;
    std::vector<std::vector<int>> forms; // each ascending, without repeats
    QDate firstDraw;                     // the first draw it plays: the first dated on or after
    int draws = 1;                       // how many draws it plays, 1..MaxDrawsPlayed
    Cents price = 0;                     // one form, one draw
};

enum class PrizeKind { None, Fixed, Varies };
struct Prize {
    PrizeKind kind = PrizeKind::None;
    Cents amount = 0; // Fixed only
};

// What the player typed for a prize that varies, once the operator published it: won by one
// form (1-based) of one ticket (1-based) on the draw of one date.
struct WonAmount {
    int ticket = 0;
    int form = 0;
    QDate draw;
    Cents amount = 0;
};

struct Book {
    std::vector<Ticket> tickets;
    std::array<Prize, MaxFormSize + 1> prizes{}; // by matches; [0] never pays
    std::vector<WonAmount> won;
    // Results of draws dated after this are new to the player: it moves on when the Tickets
    // window has shown them.
    QDate seenUpTo;
    // The remembered source of the database's draws, kept as it was read.
    QJsonObject source;

    bool isEmpty() const;
};

// Why the ticket cannot be played in a database of `picks` numbers from 1..high: its first
// problem in words, or empty.
QString TicketProblem(const Ticket& ticket, int picks, int high);

// The first draw proposed for a new ticket: the day after the database's last draw (the ticket
// plays the first draw dated on or after it), or `today` when the database holds none.
QDate ProposedFirstDraw(const database::DrawDatabase& db, const QDate& today);

// ---- Checking ------------------------------------------------------------------------------

struct FormResult {
    int matches = 0;
    // The prize won: 0 when the tier pays nothing; empty when the tier varies and the amount is
    // not typed yet.
    std::optional<Cents> prize;
    bool varies = false; // the tier varies (the amount, if any, was typed)
};

struct DrawPlayed {
    int record = 0; // the database's record number
    QDate date;
    bool isNew = false;            // dated after Book::seenUpTo
    std::vector<FormResult> forms; // one per form of the ticket, in order
};

struct TicketResult {
    std::vector<DrawPlayed> draws; // the draws played, in date order
    int played = 0;
    int toCome = 0;
    Cents spent = 0;       // price * forms * draws played
    Cents won = 0;         // the prizes known
    int unknownPrizes = 0; // tiers that vary, won and not typed yet
};

struct Totals {
    Cents spent = 0;
    Cents won = 0;
    int unknownPrizes = 0;
    // What the player would expect to have won on the draws played, at the exact odds of a fair
    // draw and the fixed prizes; empty when a tier that varies could have been won.
    std::optional<double> expectedWon;
    Cents net() const { return won - spent; }
};

struct Check {
    std::vector<TicketResult> tickets; // in the book's order
    Totals totals;
};

// Every ticket's forms against every draw it plays. A ticket plays the database's draws dated
// on or after its first draw (deleted records aside), in date order, up to its number of draws;
// the rest are still to come.
Check CheckTickets(const database::DrawDatabase& db, const Book& book);

// The expected prize of one form of `formSize` numbers on one draw: empty when a tier that
// varies can be reached.
std::optional<double> ExpectedPrize(const Book& book, int high, int picks, int formSize);

// The honest reading of the totals: what a player would expect to have won at the exact odds
// and the fixed prizes, against what was won, and what each unit staked returns on average;
// `money` writes an amount.
QString HonestLine(const Totals& totals, const std::function<QString(double)>& money);

// ---- Money ---------------------------------------------------------------------------------

// "12.50" ("." and two decimals): how the file and --csv write an amount.
QString PlainAmount(Cents amount);

// What one form costs the player now: the price of the ticket with the latest first draw (the
// last entered among equals); none without tickets, or when that price is 0.
std::optional<Cents> CurrentFormPrice(const Book& book);
// An amount typed or read: digits with at most two decimals after "."; empty when it is not
// one, negative, or above MaxAmount.
std::optional<Cents> ParseAmount(const QString& text);

} // namespace tickets
