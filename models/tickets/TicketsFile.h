#pragma once
// The file beside a database that keeps its tickets, prizes and remembered source:
// "Week.lto" keeps "Week.tickets.json". Human-readable JSON with a version; written atomically,
// read with a size cap, and a damaged file is refused with its reason and never overwritten.
#include "models/tickets/Tickets.h"
#include "text/Result.h"

#include <QByteArray>
#include <QString>

namespace tickets {

constexpr int FileVersion = 1;
// A thousand tickets of a hundred forms fit in far less.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

// The side file of the database at `databasePath`: its suffix replaced by ".tickets.json".
QString SideFilePath(const QString& databasePath);

enum class LoadResult {
    Ok,         // read
    NoFile,     // there is none: an empty book
    CannotOpen, // it is there but cannot be read
    TooLarge,   // refused unread
    Damaged,    // not a tickets file of a version this program reads; the reason says where
};

// Replaces `book` with the file's content; on any failure `book` is left empty and the result
// carries the reason.
text::Result<LoadResult> Load(const QString& path, Book& book);
[[nodiscard]] text::Result<LoadResult> Parse(const QByteArray& bytes, Book& book);

QByteArray Serialize(const Book& book);
// Writes the book; an empty book removes the file instead, so a database without tickets has
// no side file.
text::WriteResult Save(const QString& path, const Book& book);

// "Week.tickets.json: line 3 ... ; it is left as it was": the message for a refused file.
QString LoadProblem(const QString& path, const text::Result<LoadResult>& result);

} // namespace tickets
