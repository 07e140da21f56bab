#pragma once
// "Tell the program once that this window closed": a window can be left by its exit button, by
// the title bar's close and by the program closing it, and the program must hear of it once.
#include <utility>

namespace ui {

class Once final {
public:
    // True the first time only.
    bool first() { return !std::exchange(m_done, true); }

private:
    bool m_done = false;
};

} // namespace ui
