#pragma once
// The one way the program writes a file.
#include <QByteArray>
#include <QString>

#include "text/Result.h"

namespace text {

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when every
// byte has reached the disk. False, with the system's reason, if anything failed; the old file is
// then left exactly as it was.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace text
