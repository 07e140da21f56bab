#pragma once
// From a source table to records: which columns hold the date and the numbers, how every row
// reads against the database (new, already present, conflicting, rejected), and the merge that
// puts the new draws in as records typed by hand would go in.
#include "database/DrawDatabase.h"
#include "history/DrawDates.h"
#include "history/SourceTable.h"

#include <QDate>
#include <QString>
#include <vector>

namespace history {

enum class ColumnRole {
    Ignore,  // shown, left out
    Date,    // the draw date (one column)
    Numbers, // one number or several in one field; taken in column order
};

struct Mapping {
    std::vector<ColumnRole> roles; // one per source column
    DateOrder order = DateOrder::DayFirst;

    int dateColumn() const; // -1 when none is mapped
};

// What the numeric dates of the date column say about their order.
struct DateOrderFinding {
    bool numericDates = false; // some dates are all numbers (05/12/2026)
    bool ambiguous = false;    // every one reads both day-first and month-first
    DateOrder order = DateOrder::DayFirst;
    // The first row that settles the order (a day over 12), when one does.
    int settlingLine = 0;
    QString settlingText;
    // Rows that read only the other way, if the source mixes both (they will be rejected).
    int contrary = 0;

    // One sentence for the preview: why the order was chosen, or that the user must choose.
    QString explanation() const;
};

struct ColumnGuess {
    QString name;   // the header's text, or "Column N"
    QString sample; // the first data row's field
    QString kind;   // what the column looks like: "date", "numbers", "draw number", ...
};

struct Detection {
    Mapping mapping;
    std::vector<ColumnGuess> columns;
    int picks = 0;   // numbers per row in the mapped columns, as most rows have them
    int highest = 0; // the highest number in the mapped columns
    DateOrderFinding dates;
};

// Finds the date column and the number columns. `knownPicks` (the database's picks when it
// holds records, else 0) decides how many number columns are taken; extra columns (a bonus
// ball, a multiplier, a draw number, a jackpot) are left out. `preferred` is the order used
// when every date reads both ways.
Detection Detect(const SourceTable& table, int knownPicks, DateOrder preferred);
DateOrderFinding FindDateOrder(const SourceTable& table, int dateColumn, DateOrder preferred);

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
    bool overLimit() const { return recordsAfter() > database::DrawDatabase::MaxRecords; }
};

// Reads every row against the database. Nothing is changed.
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
