#pragma once
// Windows-1252, the code page of the program's single-byte files (".LTO", ".INV",
// "Personal.Lot"). Bytes 0x00-0x7F and 0xA0-0xFF are the same-numbered characters; 0x80-0x9F
// hold the euro sign, curly quotes, dashes and the like. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the same-numbered control characters, so
// every byte reads as a character and writes back as itself.
#include <QByteArray>
#include <QString>

namespace text {

QString FromCp1252(const QByteArray& bytes);
// Characters the code page cannot hold become "?"; the boxes refuse them while typing.
QByteArray ToCp1252(const QString& text);
// Whether `c` can be written to a single-byte file.
bool InCp1252(QChar c);

} // namespace text
