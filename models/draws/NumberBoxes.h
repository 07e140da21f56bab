#pragma once
// The numbers of a draw as typed into a row of number boxes: the value a box holds and the
// checks of a row of them, shared by the Database window's entry row and Check Numbers. Each
// caller keeps its own order of the checks and its own messages.
#include <QString>
#include <QStringList>

namespace entry {

// The value a number box holds: its leading digits (text::IntValue), within the 16-bit range
// the draw file holds; 0 when empty.
int BoxValue(const QString& text);

// A box holding nothing or only blanks (pasted in) is empty.
bool IsEmptyBox(const QString& text);

// Whether an empty box is a missing number (a record needs them all) or simply left out (a
// search takes what is typed).
enum class EmptyBoxes { Missing, Allowed };

enum class NumberFault {
    None,
    Missing, // an empty box, where empty boxes are missing numbers
    TooHigh, // a value above the highest number
    Zero,    // a value below 1 ("0", "00")
};

struct BoxFault {
    NumberFault fault = NumberFault::None;
    int box = -1; // the box at fault, from 0
};

// Box by box from the left, the first box that is missing, above `highNumber` or below 1.
BoxFault FirstBoxOutOfRange(const QStringList& boxes, int highNumber, EmptyBoxes empty);

// Whether two boxes hold the same value; boxes whose value is 0 (empty ones among them) never
// count as the same.
bool HasRepeat(const QStringList& boxes);

} // namespace entry
