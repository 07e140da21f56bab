#pragma once
// A window laid out for a screen of ordinary size may not fit a small one, or one scaled to 150 %
// or 200 %: its layout then moves into a scroll area, so that every control stays reachable and
// the window fits the screen's free area.
class QWidget;

namespace ui {

// Call once the window's layout is built; the window is fitted when it is first shown. Where
// it fits, nothing changes but a size larger than the screen.
void FitToScreen(QWidget* window);

} // namespace ui
