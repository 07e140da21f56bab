#pragma once
// Reading a file the user handed the program, refused unread when it is larger than its reader
// allows: at most one byte past the cap is read, so a wrong file (or a device without a size)
// never fills the memory.
#include <QByteArray>
#include <QString>

namespace text {

// The most a table of draws handed to the program may hold, read from a file or downloaded: real
// histories are a few hundred kilobytes, so anything larger is a wrong file, refused before it
// fills the memory.
constexpr qint64 MaxImportBytes = 16 * 1024 * 1024;

enum class FileReadError {
    None,
    CannotOpen, // missing, a folder, or not readable
    TooLarge,   // more than the cap
    ReadFailed, // opened, but the read failed before any byte came
};

struct [[nodiscard]] FileRead {
    QByteArray bytes; // the whole file; empty on any error
    FileReadError error = FileReadError::None;
    QString reason; // the system's reason for an error, in words
};

// "larger than 4096 KB": the reason a file over the cap is refused.
QString TooLargeReason(qint64 maxBytes);

// Reads the file at `path` if it holds at most `maxBytes` bytes.
FileRead ReadCapped(const QString& path, qint64 maxBytes);

} // namespace text
