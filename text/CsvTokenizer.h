#pragma once
// The one reader of the program's comma-separated files (".LTO", ".INV", "Personal.Lot").
#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

namespace text {

struct CsvItem {
    enum class Kind { Plain, Quoted, Date };
    Kind kind = Kind::Plain;
    QString text; // the item's characters: unquoted, trimmed of surrounding blanks
    QDate date;   // for Kind::Date, when the #...# text was a valid date

    // A plain item that reads as a whole number (a quoted or date item never does).
    std::optional<long long> integer() const;
    // A plain item that reads as a decimal number.
    std::optional<double> number() const;
};

// Reads items one after another; commas and line ends both end an item, as the files' own
// sequential-input convention has it. Bytes are taken as Windows-1252, the files being single-byte.
class CsvTokenizer final {
public:
    explicit CsvTokenizer(const QByteArray& bytes);

    // The next item, or nothing at the end of the data.
    std::optional<CsvItem> next();
    bool atEnd() const;

private:
    void skipBlanks();
    void skipLineEnd();
    QByteArray m_data;
    qsizetype m_pos = 0;
    // The last separator was a comma, so an item (perhaps empty) follows.
    bool m_afterComma = false;
};

// Quotes a text item for writing: the files have no escape, so a double quote is dropped.
QByteArray QuoteItem(const QString& text);
// "#yyyy-mm-dd#".
QByteArray DateItem(const QDate& date);

} // namespace text
