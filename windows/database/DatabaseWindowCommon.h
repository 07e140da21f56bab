#pragma once
// What the files of the Database window share: the titles and messages several of its parts
// show, the way its boxes write numbers, and the shape of the count grids.
#include "text/Format.h"

#include <QString>

namespace database::dbwin {

inline const QString kHelp = QStringLiteral("Help");
inline const QString kEntryError = QStringLiteral("Entry Error");
inline const QString kMaxRecords = QStringLiteral("Max amount of records = 2000");

inline QString Num(int value)
{
    return QString::number(value);
}

// A number right-aligned in two characters, as the picks and highest-number boxes show it.
inline QString TwoWide(int value)
{
    return text::RightAlign(QString::number(value), 2);
}

// The count grids: numbers 1-20, 21-40 and 41-60 in twenty columns of 440 twips.
constexpr int kCountColumns = 20;
constexpr int kCountColumnTwips = 440;

} // namespace database::dbwin
