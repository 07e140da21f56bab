#pragma once
// The one way the program writes a file.
#include <QByteArray>
#include <QString>

namespace text {

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when every
// byte has reached the disk. False if anything failed; the old file is then left exactly as it
// was.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace text
