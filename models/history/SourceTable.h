#pragma once
// A lottery table as some operator or fan site published it, read into rows of fields: the
// bytes decoded (UTF-8, UTF-8 with BOM or Windows-1252), the separator and the header row
// sniffed, and each row kept with the line it started on.
#include "text/FileRead.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace history {

// A source larger than this is refused unread (text/FileRead.h says why); a download stops
// at the same size.
constexpr qint64 MaxSourceBytes = text::MaxImportBytes;

enum class ReadError {
    None,
    CannotOpen, // missing, unreadable
    TooLarge,   // above MaxSourceBytes
    Binary,     // holds NUL bytes: not a text table
    Empty,      // no row with any field
};

// The reason in words, for the one-line errors and the window's message.
QString ReadErrorText(ReadError error);

struct [[nodiscard]] DecodedText {
    QString text;
    ReadError error = ReadError::None;
    QString reason; // the system's reason when the file could not be read
};
// The reason in words with the system's own where there is one: "cannot be opened (Permission
// denied)".
QString ReadErrorText(const DecodedText& read);

// Decodes a source's bytes: a UTF-8 BOM is dropped, valid UTF-8 is read as such, anything else
// as Windows-1252.
DecodedText DecodeSource(const QByteArray& bytes);

// Reads a file (at most MaxSourceBytes of it) and decodes it.
DecodedText ReadSourceFile(const QString& path);

// Json: an archive of draws as a JSON array of objects, read as a table whose columns are the
// objects' keys.
enum class Separator { Comma, Semicolon, Tab, Pipe, Whitespace, Json };
QString SeparatorName(Separator separator); // "comma", "semicolon", ...

struct SourceRow {
    int line = 0; // 1-based line of the source where the row starts
    QStringList fields;
    int lastLine = 0; // the line where it ends (a quoted field may hold line breaks); 0: `line`
};

// A line of the source that holds no draw, named so that every line is accounted for.
struct SkippedLine {
    enum class Kind { Header, Description, Blank };
    int line = 0;
    Kind kind = Kind::Blank;
};
QString SkippedKindName(SkippedLine::Kind kind); // "header", "description", "blank"

struct SourceTable {
    Separator separator = Separator::Comma;
    bool hasHeader = false;
    QStringList header; // the header row's fields, empty without one
    int headerLine = 0;
    std::vector<SourceRow> rows; // the data rows, blank lines left out
    // The lines that are neither data rows nor inside one, in line order. Empty for JSON.
    std::vector<SkippedLine> skipped;
    // Why a JSON source gave no rows ("not a JSON archive of draws: ..."); empty otherwise.
    QString problem;
    int columnCount() const; // the most fields of any row (header included)
    // The header's name of a column, or "column N" (1-based).
    QString columnName(int column) const;
};

// One line naming the skipped lines: "line 1 (header), lines 5, 9 (blank)"; empty when none.
QString DescribeSkipped(const std::vector<SkippedLine>& skipped);

// Splits the text into rows with a known separator. Blank lines are left out. Whitespace-
// separated text splits at runs of blanks, and a date written in words over several of them
// ("Dec 5, 2026", "Saturday 5 December 2026") stays one field.
std::vector<SourceRow> SplitRows(const QString& text, Separator separator);

// Splits the text with the separator that reads it best (JSON when it is a JSON document), and
// takes the first row as a header when it holds no date; lines above the header that hold no
// draw (a title, "Format: ...") are description lines. A row that another separator splits
// into the table's usual number of fields is split that way, so that a table mixing separators
// loses no draw.
SourceTable ReadTable(const QString& text);
// The same with the separator and the header chosen by the user.
SourceTable ReadTable(const QString& text, Separator separator, bool header);

} // namespace history
