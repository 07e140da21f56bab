#pragma once
// Number and text formatting shared by every window and printout.
#include <QString>

#include <algorithm>

namespace text {

// The files' header numbers and the number boxes hold 16-bit whole numbers.
constexpr long long Int16Min = -32768;
constexpr long long Int16Max = 32767;
// Whether a value read from a file fits in 16 bits; a wider one is unreadable, not cut to fit.
constexpr bool FitsInt16(long long value)
{
    return value >= Int16Min && value <= Int16Max;
}
// A value brought into 16 bits, as a box or a record cell keeps it.
constexpr int ClampToInt16(long long value)
{
    return static_cast<int>(std::clamp(value, Int16Min, Int16Max));
}

// Right-aligns text in a field of `width` characters by leading blanks; a longer text keeps its
// leftmost `width` characters.
QString RightAlign(const QString& text, int width);

// A number as labels, headers and messages show it: one leading blank when not negative (" 5").
QString NumText(long long value);
QString NumText(double value);

// The digit-placeholder formats "##", "###" and "####": plain digits without padding, and
// nothing at all for 0.
QString Hashes(long long value);

// "##.#": whole part without leading zero, one decimal, the point kept even for whole values
// ("24.5", "16."); half goes to the even neighbour.
QString HashesOneDecimal(double value);

// Rounds to the nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
long long RoundHalfEven(double value);

// The money patterns: "####,,###.00" (grid, printout), "###,,###.00" (typing), "####,,##0.00"
// (total in the grid). Grouping by thousands with the locale's separator, exactly two decimals;
// the first two drop a lone leading zero (".50"), the last keeps it ("0.50").
enum class MoneyPattern { Amount, Typing, Total };
QString Money(double value, MoneyPattern pattern);

// The numeric value of an amount text: the longest leading part that reads as a decimal number
// with an optional leading minus and "." as the decimal point; 0 when there is none.
double AmountValue(const QString& text);

// The numeric value of a box's text the way a number box reads it: leading blanks skipped, the
// longest leading run of digits (with optional sign); 0 when there is none.
long long IntValue(const QString& text);

// The label of the file in memory, as the menu and Pick-a-Winner show it: " File in Memory ",
// a line break, and the title between two pairs of blanks.
QString FileInMemoryText(const QString& title);

} // namespace text
