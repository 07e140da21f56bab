#pragma once
// What the source files of the Pick-a-Winner window share: the title of its messages, the
// pool label's caption and the measures of the grid of picks.
#include "models/picks/PickEngine.h"

#include <QString>

namespace picks {

inline const QString HelpTitle = QStringLiteral("Help");
inline const QString PickedFromNumbers = QStringLiteral(" Picked from numbers ");
// The grid's normal rows: the heading row and ten entry forms.
inline constexpr int GridRowCount = 11;
inline constexpr int SelectAllRows = MaxSelectAllForms + 1;
// Twips per grid column, and the extra width the Select All grid needs for its scroll bar.
inline constexpr int ColumnTwips = 575;
inline constexpr int ScrollBarTwips = 250;

} // namespace picks
