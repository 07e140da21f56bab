#pragma once
// Whether the next key in a setup box starts a new value. The setup boxes of every window share
// one flag: a click in a box, or its first key, sets it; a command that has taken a box's value
// clears it, so the next key in a box replaces the text instead of adding to it.

namespace text {

class RetypeFlag {
public:
    bool isSet() const { return m_set; }
    void set() { m_set = true; }
    void clear() { m_set = false; }

private:
    bool m_set = false;
};

} // namespace text
