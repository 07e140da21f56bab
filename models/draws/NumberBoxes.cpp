#include "models/draws/NumberBoxes.h"

#include "text/Format.h"

namespace entry {

int BoxValue(const QString& text)
{
    return text::ClampToInt16(text::IntValue(text));
}

bool IsEmptyBox(const QString& text)
{
    return text.trimmed().isEmpty();
}

BoxFault FirstBoxOutOfRange(const QStringList& boxes, int highNumber, EmptyBoxes empty)
{
    for (qsizetype k = 0; k < boxes.size(); ++k) {
        const int box = static_cast<int>(k);
        if (IsEmptyBox(boxes[k])) {
            if (empty == EmptyBoxes::Missing) return {NumberFault::Missing, box};
            continue;
        }
        const int v = BoxValue(boxes[k]);
        if (v > highNumber) return {NumberFault::TooHigh, box};
        if (v < 1) return {NumberFault::Zero, box};
    }
    return {};
}

bool HasRepeat(const QStringList& boxes)
{
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const int a = BoxValue(boxes[i]);
        if (a == 0) continue;
        for (qsizetype j = i + 1; j < boxes.size(); ++j)
            if (BoxValue(boxes[j]) == a) return true;
    }
    return false;
}

} // namespace entry
