#include "text/Cp1252.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Cp1252, EveryByteReadsAsOneCharacterAndWritesBackAsItself)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = FromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1252(text), all);
    for (const QChar c : text)
        EXPECT_TRUE(InCp1252(c)) << int(c.unicode());

    // Known places of the code page, from its published table.
    const struct {
        unsigned char byte;
        char16_t character;
    } known[] = {{0x41, u'A'},      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x85, u'\u2026'},
                 {0x8C, u'\u0152'}, {0x91, u'\u2018'}, {0x94, u'\u201D'}, {0x96, u'\u2013'},
                 {0x99, u'\u2122'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xFF, u'\u00FF'}};
    for (const auto& k : known)
        EXPECT_EQ(text.at(k.byte).unicode(), k.character) << int(k.byte);
    // Latin-1's C1 controls that the code page replaced, and anything beyond, are not in it.
    for (const char16_t c : {u'\u0080', u'\u0085', u'\u0100', u'\u2192'})
        EXPECT_FALSE(InCp1252(QChar(c))) << int(c);
}
