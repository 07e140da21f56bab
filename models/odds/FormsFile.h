#pragma once
// A file of entry forms, as `tallimo odds --forms` and the tickets read it: one form a line,
// numbers separated by commas or blanks; blank lines are skipped.
#include "models/odds/Odds.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace odds {

// A file of forms is small; anything larger is not one.
constexpr qint64 MaxFormsFileBytes = 1024 * 1024;

// The forms of the file's text. A line that is not a form of distinct numbers in 1..high, with
// at most `picks` (and at most `maxFormSize`) of them, stops the reading: nothing, and the
// reason with its line ("line 3: 61 is outside 1 to 60").
std::optional<std::vector<Form>> ParseForms(const QByteArray& bytes, int high, int picks,
                                            int maxFormSize, QString& reason);

// As ParseForms, for the file at `path`; a file that cannot be read gives its reason ("no such
// file", "larger than 1 MB", "cannot be opened (Permission denied)").
std::optional<std::vector<Form>> ReadFormsFile(const QString& path, int high, int picks,
                                               int maxFormSize, QString& reason);

} // namespace odds
