#include "text/Cp1252.h"

#include <array>

namespace text {

namespace {

// The characters of bytes 0x80-0x9F.
constexpr std::array<char16_t, 32> kHigh = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

// The byte for `c`, or -1 when the code page has none.
int ByteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return 0x80 + static_cast<int>(i);
    return -1;
}

} // namespace

QString FromCp1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *dst++ = u >= 0x80 && u < 0xA0 ? QChar(kHigh[u - 0x80u]) : QChar(static_cast<char16_t>(u));
    }
    return out;
}

QByteArray ToCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is two code units but one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        const int b = ByteOf(c.unicode());
        out += b < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(b));
    }
    return out;
}

bool InCp1252(QChar c)
{
    return ByteOf(c.unicode()) >= 0;
}

} // namespace text
