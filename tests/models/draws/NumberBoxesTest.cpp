#include "models/draws/NumberBoxes.h"

#include <gtest/gtest.h>

using entry::NumberFault;

// The same rows read under both rules for empty boxes, and whether any two boxes repeat.
TEST(NumberBoxes, RangeScanUnderBothEmptyRulesAndRepeats)
{
    const struct {
        const char16_t* boxes; // comma-separated box texts, highest number 49
        NumberFault missingRule;
        int missingBox;
        NumberFault allowedRule;
        int allowedBox;
        bool repeat;
    } cases[] = {
        {u"49,1,05", NumberFault::None, -1, NumberFault::None, -1, false},
        {u"5,,50", NumberFault::Missing, 1, NumberFault::TooHigh, 2, false},
        {u"5,  ,0", NumberFault::Missing, 1, NumberFault::Zero, 2, false}, // blanks are empty
        {u",,", NumberFault::Missing, 0, NumberFault::None, -1, false},    // empties never repeat
        {u"0,75", NumberFault::Zero, 0, NumberFault::Zero, 0, false},      // from the left
        {u"7,99999", NumberFault::TooHigh, 1, NumberFault::TooHigh, 1, false},
        {u"0,00,3", NumberFault::Zero, 0, NumberFault::Zero, 0, false},   // nor do zeros
        {u"5,12,05", NumberFault::None, -1, NumberFault::None, -1, true}, // equal by value
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.boxes);
        const QStringList boxes = text.split(u',');
        const entry::BoxFault missing =
            entry::FirstBoxOutOfRange(boxes, 49, entry::EmptyBoxes::Missing);
        const entry::BoxFault allowed =
            entry::FirstBoxOutOfRange(boxes, 49, entry::EmptyBoxes::Allowed);
        EXPECT_EQ(missing.fault, c.missingRule) << text.toStdString();
        EXPECT_EQ(missing.box, c.missingBox) << text.toStdString();
        EXPECT_EQ(allowed.fault, c.allowedRule) << text.toStdString();
        EXPECT_EQ(allowed.box, c.allowedBox) << text.toStdString();
        EXPECT_EQ(entry::HasRepeat(boxes), c.repeat) << text.toStdString();
    }
}
