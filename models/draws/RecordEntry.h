#pragma once
// The rules of the Database window's entry row and of the record operations it starts:
// checking a typed record, appending it, applying a correction or an insertion, deleting a
// record, and the automatic advance of the proposed date. The window turns each result into
// its message; nothing here shows one.
#include "models/draws/DrawDatabase.h"
#include "models/draws/NumberBoxes.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace entry {

enum class Problem {
    None,
    NoRecord,      // the first number box is empty or 0
    Duplicate,     // two boxes hold the same number
    Missing,       // a number box is empty
    TooHigh,       // a number is above the highest number
    Zero,          // a number is below 1
    Full,          // the table already holds MaxRecords records
    BadDate,       // the date text is not a date
    DateAfterLast, // a correction or insertion dated after the last record
};

struct Check {
    Problem problem = Problem::None;
    // The box at fault (TooHigh, Zero, Missing) and its text as typed.
    int box = -1;
    QString boxText;
    // DateAfterLast: the last record's date.
    QDate lastDate;

    bool ok() const { return problem == Problem::None; }
};

// The first checks of every added record: the first box must hold a number, and no two boxes
// may hold the same number.
Check CheckFirst(const QStringList& boxes);
// Every box must hold a number from 1 to the highest number.
Check CheckNumbers(const QStringList& boxes, int highNumber);

// Appends a record dated `dateText` (the short date as typed) with the numbers of `boxes`
// (one per pick). Full at MaxRecords, then the number checks, then the date.
Check Append(database::DrawDatabase& db, const QString& dateText, const QStringList& boxes);

// Writes a corrected record into row `record`, then sorts by date. Refused (nothing written)
// when the date is after the last record's; a date equal to it is accepted.
Check ApplyCorrection(database::DrawDatabase& db, int record, const QString& dateText,
                      const QStringList& boxes);
// Adds a record at the end and sorts it into its date position, after records of the same
// date. Refused at MaxRecords, and when its date is after the last record's.
Check ApplyInsertion(database::DrawDatabase& db, const QString& dateText, const QStringList& boxes);

// Removes record `record` (1..recordCount()); the others keep their date order and are
// renumbered 1..recordCount(). False when there is no such record.
bool DeleteRecord(database::DrawDatabase& db, int record);

// The options of the record dialog.
enum class Option { None = 0, Correct = 1, Insert = 2, Delete = 3 };

struct RecordChoice {
    Option option = Option::None;
    int record = 0; // 0: cancelled
};

// What the dialog's OK means for the typed record number: with Insert any number above 0
// confirms (the place is found by date, so the record is 1); 0 or nothing cancels every option.
RecordChoice ChooseRecord(Option option, const QString& typed);

// The step by which the next proposed date advances and the step shown after it.
struct Advance {
    QDate proposed;
    int shown = 0;
};

// The automatic date advance: alternates PendingAdvance between the two steps (a step of 0 is
// replaced by AdvanceSecond, so with AdvanceFirst 0 every step is 7 days) and proposes the last
// record's date plus PendingAdvance, or today when there is no record.
Advance AdvanceDate(database::DrawDatabase& db, const QDate& today);

// The step that the spacing of the last two records implies: 7 - d for the first d from 1 to
// 6 that separates them, 0 when none does. Nothing when there are fewer than two records.
std::optional<int> PendingAdvanceFromLastTwo(const database::DrawDatabase& db);

} // namespace entry
