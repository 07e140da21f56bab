#pragma once
// From a source table to records: which columns hold the date and the numbers, how every row
// reads against the database (new, already present, conflicting, rejected), and the merge that
// puts the new draws in as records typed by hand would go in.
#include "models/draws/DrawDatabase.h"
#include "models/history/DrawDates.h"
#include "models/history/SourceTable.h"

#include <QDate>
#include <QString>
#include <vector>

namespace history {

enum class ColumnRole {
    Ignore,  // shown, left out
    Date,    // the draw date (one column)
    Numbers, // one number or several in one field
};

// Numbers taken from one column: the field's numbers at positions first..last (1-based), or
// from first to the field's end when last is 0.
struct NumberPick {
    int column = 0;
    int first = 1;
    int last = 0;
    bool wholeField() const { return first == 1 && last == 0; }
    bool operator==(const NumberPick&) const = default;
};

struct Mapping {
    int date = -1;                   // the date column, -1 when none is mapped
    std::vector<NumberPick> numbers; // a draw's numbers, taken in this order
    DateOrder order = DateOrder::DayFirst;

    int dateColumn() const { return date; }
    // What a column is used as: Numbers when any of its numbers are taken.
    ColumnRole role(int column) const;
    std::vector<ColumnRole> roles(int columns) const;
    // Uses a column as `role`: Numbers takes its whole field, in column order among the rest;
    // Date leaves any other date column out; Ignore leaves it out.
    void setRole(int column, ColumnRole role);
    // Takes `pick` among the numbers, in column order, in place of whatever its column gave.
    void setPick(const NumberPick& pick);
};

// Which rule decided how numeric dates read.
enum class DateOrderRule {
    None,      // no numeric dates
    DayOver12, // a date that reads only one way
    Dots,      // written with dots (01.07.2026): day first, as the countries that write so do
    Spacing,   // the draws fall on the same weekdays a few days apart only one way
    Preferred, // every date reads both ways: the locale's order, for the user to confirm
};

// What the numeric dates of the date column say about their order.
struct DateOrderFinding {
    bool numericDates = false; // some dates are all numbers (05/12/2026)
    bool ambiguous = false;    // nothing in the dates settles the order
    DateOrder order = DateOrder::DayFirst;
    DateOrderRule rule = DateOrderRule::None;
    // The first row that settles the order (a day over 12), when one does.
    int settlingLine = 0;
    QString settlingText;
    // The weekdays the draws fall on when their spacing decided ("Wednesdays and Saturdays").
    QString weekdays;
    // Rows that read only the other way, if the source mixes both (they will be rejected).
    int contrary = 0;

    // One sentence for the preview and the command line: which rule decided, or that the
    // user must choose.
    QString explanation() const;
};

struct ColumnGuess {
    QString name;     // the header's text, or "Column N"
    QString sample;   // the first data row's field
    QString kind;     // what the column looks like: "date", "numbers", "draw number", ...
    int perField = 0; // the numbers most of its fields hold (0: not a column of numbers)
    // A field of several numbers whose last ones are extra balls: the main numbers are the
    // first `mainPositions` (0: all of them are main numbers, or none).
    int mainPositions = 0;
    bool extra = false; // holds extra balls (by its name, its range or a repeated number)
};

struct Detection {
    Mapping mapping;
    std::vector<ColumnGuess> columns;
    // Every column (or part of a field) that looks like main numbers, in column order,
    // whether mapped or not: what the command line lists when it cannot choose.
    std::vector<NumberPick> numberColumns;
    int picks = 0;   // numbers per row in the mapped columns, as most rows have them
    int highest = 0; // the highest number in the mapped columns
    DateOrderFinding dates;

    // How many numbers a draw has in `numberColumns`.
    int numbersFound() const;
};

// Finds the date column and the number columns. Extra balls (a column named Bonus, Supp, S1,
// Powerball, Star, ...; a last number drawn from a smaller range than the others; a number
// that repeats one of the draw's) and other columns (a multiplier, a draw number, a jackpot)
// are shown and left out. With `knownPicks` (the database's picks, or the picks the user set)
// the first number columns that give that many numbers are taken, else the first run of
// adjacent ones; with `knownHigh` a column of values above it is no number column.
// `preferred` is the order used when nothing in the dates settles it.
Detection Detect(const SourceTable& table, int knownPicks, DateOrder preferred, int knownHigh = 0);
DateOrderFinding FindDateOrder(const SourceTable& table, int dateColumn, DateOrder preferred);

// A column reference of the command line: a header's name (any case, trimmed) or a 1-based
// column number, with positions in brackets for a field of several numbers ("Winning
// Numbers[1-5]", "Winning Numbers[6]"). False, with the reason, when it names no column.
bool ParseColumnRef(const QString& ref, const SourceTable& table, NumberPick& pick, QString& error);
// A reference as the command line writes it: "Ball 1", "Winning Numbers[1-5]".
QString ColumnRefText(const SourceTable& table, const NumberPick& pick);

// The shape every row must have: the database's, or for an empty database the one the user
// confirmed.
struct Shape {
    int picks = 6;
    int high = 49;
};

struct ImportOptions {
    bool sortNumbers = true;       // records hold the numbers ascending; else in source order
    bool replaceConflicts = false; // a conflicting row replaces the record of its date
    QDate from;                    // rows dated before are left out (invalid: no bound)
    QDate to;                      // rows dated after are left out (invalid: no bound)
    QDate today;                   // rows dated after it are rejected (invalid: no check)
};

enum class RowStatus { New, Present, Conflict, Rejected, OutsideRange };

struct PlannedRow {
    int line = 0;
    RowStatus status = RowStatus::Rejected;
    QDate date;
    std::vector<int> numbers; // as the record would hold them (a rejected row: as read)
    QString reason;           // why a row is rejected or conflicts
    int record = 0;           // Present, Conflict: the record of the same date
};

struct ImportPlan {
    std::vector<PlannedRow> rows;
    int added = 0;
    int present = 0;
    int conflicts = 0;
    int rejected = 0;
    int outside = 0;
    int recordsBefore = 0;
    // Rows that passed every check, whatever their status: the draws the source holds.
    int sourceDraws = 0;

    int recordsAfter() const { return recordsBefore + added; }
    int insideRange() const { return sourceDraws - outside; } // the draws within from..to
    bool overLimit() const { return recordsAfter() > database::DrawDatabase::MaxRecords; }
};

// Reads every row against the database: every data row of the table is one planned row. Nothing
// is changed.
ImportPlan PlanImport(const SourceTable& table, const Mapping& mapping,
                      const database::DrawDatabase& db, const Shape& shape,
                      const ImportOptions& options);

// The earliest date from which the newest new draws still fit beside the database's records;
// invalid when none fits.
QDate NewestRangeStart(const ImportPlan& plan);

struct ApplyResult {
    int added = 0;
    int replaced = 0;
};

// Puts the plan's new rows in (and, with replaceConflicts, the conflicting rows over their
// records). A row dated on or after the last record is appended; otherwise the records are
// put in date order first and every new row goes after the records of its date, as an
// insertion does. Nothing happens when the plan would pass MaxRecords.
ApplyResult ApplyPlan(const ImportPlan& plan, database::DrawDatabase& db,
                      const ImportOptions& options);

// The shape an empty database takes from a source.
Shape ShapeFromSource(const Detection& detection);

} // namespace history
