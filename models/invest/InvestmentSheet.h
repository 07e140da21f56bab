#pragma once
// The investment sheet: a two-column ledger of descriptions and amounts with sub-totals and a
// grand total, and its ".INV" file.
#include "text/Format.h"
#include "text/Result.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace inv {

// One cell of the sheet. A file keeps the kind of each cell (a quoted text stays a text, a
// plain number a number), so the cell does too.
struct Cell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    QString text;
    double number = 0;

    static Cell Text(const QString& t) { return {Kind::Text, t, 0}; }
    static Cell Number(double v) { return {Kind::Number, {}, v}; }

    // Nothing in it: no value at all, or an empty text.
    bool isEmpty() const { return kind == Kind::Empty || (kind == Kind::Text && text.isEmpty()); }
    // The value an amount adds to the totals: a number itself, a text its Amount value, an
    // empty cell 0.
    double value() const;
    // The cell as the description column shows it: a text as stored, a number in plain
    // decimal notation.
    QString asText() const;

    bool operator==(const Cell& other) const;
};

// A number in plain decimal notation with "." as the decimal point and no exponent: what the
// file stores. Sums that picked up binary noise are written to 15 significant digits.
QString PlainDecimal(double value);

// An amount cell formatted for display or print: empty for an empty cell, a number in the
// money pattern, a text by its numeric reading when it is one and as it stands otherwise.
QString AmountText(const Cell& amount, text::MoneyPattern pattern);

// The exact words "Sub Total" in any letter case, without blanks around them.
bool IsSubTotal(const QString& description);

class InvestmentSheet final {
public:
    static constexpr int EditableRows = 105; // rows 1..105 are edited and calculated
    static constexpr int LastRow = 111;      // rows 106..111 only pass through the file
    static constexpr int MaxDescription = 46;
    // Typed amounts stay below this. The file keeps 15 significant digits, so a value keeps its
    // cents below 1e13; below 1e10 even the sum of every row (a Sub Total, the Total) does.
    static constexpr double MaxTypedAmount = 1e10;

    // The number of rows in use after the last Calculate (rows 1..SheetRowCount).
    int SheetRowCount = 0;
    // The grand total after the last Calculate.
    double SheetTotal = 0;
    // The file name (without folder) last opened or saved; empty for a new sheet.
    QString InvestmentFileName;
    // The full path of that file, which the save dialog proposes.
    QString investmentFilePath;

    // Row 0..111, column 0 (description) or 1 (amount). Anything outside reads as empty and is
    // never written.
    const Cell& cell(int row, int col) const;
    void setCell(int row, int col, const Cell& value);

    // Compacts rows 1..105 (a row without description is dropped), puts the running sum into
    // every Sub Total row, and sets SheetRowCount and SheetTotal. Rows 106..111 are emptied.
    void calculate();

    // All cells empty, no rows, a zero total and no file name.
    void clear();

    // True when any editable cell holds something, calculated or not: what leaving or
    // replacing the sheet would lose.
    bool hasContent() const;

    // Moves rows n.. down by one and puts a "BlankLine" row at n, then calculates. Refused
    // (false, nothing changed) for n below 1 or from 105 on, and when the last editable row is
    // in use, so that no row, typed or calculated, is pushed out of the sheet.
    bool insertBlankLine(int n);

private:
    std::array<std::array<Cell, 2>, LastRow + 1> m_cells{};
};

enum class LoadResult {
    Ok,
    CannotOpen, // missing or unreadable file
    TooLarge,   // far beyond what a sheet can hold; refused unread
    TooShort,   // fewer than 112 lines
    BadValue,   // a count, a cell or a line that does not read as the file's layout
};

// A sheet file is 112 short lines; anything this large is not one.
constexpr qint64 MaxFileBytes = 256 * 1024;

// Replaces the sheet with the file's cells and calculates. On any failure the sheet is cleared
// (and calculated), so the caller shows an empty sheet. Load also sets investmentFilePath to the
// full path and InvestmentFileName to its file-name part on success.
text::Result<LoadResult> Load(const QString& path, InvestmentSheet& sheet);
[[nodiscard]] LoadResult LoadBytes(const QByteArray& bytes, InvestmentSheet& sheet);

// The file's bytes: the row count, then rows 1..111, CR LF line ends.
QByteArray Serialize(const InvestmentSheet& sheet);
// Writes atomically (a temporary file renamed over the old one). On success sets
// investmentFilePath and InvestmentFileName; on failure returns false and leaves the old file as it
// was, with the system's reason.
text::WriteResult Save(const QString& path, InvestmentSheet& sheet);

} // namespace inv
