#include "text/CsvTokenizer.h"

#include "text/Cp1252.h"

namespace text {

std::optional<long long> CsvItem::integer() const
{
    if (kind != Kind::Plain || text.isEmpty()) return std::nullopt;
    bool ok = false;
    const long long v = text.toLongLong(&ok);
    if (ok) return v;
    // A whole value written with a decimal point ("5.0") is still a whole number.
    const double d = text.toDouble(&ok);
    // The range check comes first: converting a huge value to an integer is undefined.
    if (ok && d > -1e15 && d < 1e15 && d == static_cast<double>(static_cast<long long>(d)))
        return static_cast<long long>(d);
    return std::nullopt;
}

std::optional<double> CsvItem::number() const
{
    if (kind != Kind::Plain || text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok) return std::nullopt;
    return v;
}

CsvTokenizer::CsvTokenizer(const QByteArray& bytes) : m_data(bytes) {}

bool CsvTokenizer::atEnd() const
{
    if (m_afterComma) return false;
    qsizetype p = m_pos;
    while (p < m_data.size()) {
        const char c = m_data.at(p);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
        ++p;
    }
    return true;
}

void CsvTokenizer::skipBlanks()
{
    while (m_pos < m_data.size() && (m_data.at(m_pos) == ' ' || m_data.at(m_pos) == '\t'))
        ++m_pos;
}

std::optional<CsvItem> CsvTokenizer::next()
{
    // After a comma an item always follows: one that meets the line end (or the end of the
    // data) at once is empty, as between two commas.
    if (m_afterComma) {
        m_afterComma = false;
        if (m_pos >= m_data.size()) return CsvItem{};
        if (m_data.at(m_pos) == '\r' || m_data.at(m_pos) == '\n') {
            skipLineEnd();
            skipBlanks();
            return CsvItem{};
        }
    }
    // Blank lines between items are skipped like blanks.
    while (m_pos < m_data.size()) {
        const char c = m_data.at(m_pos);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            ++m_pos;
        else
            break;
    }
    if (m_pos >= m_data.size()) return std::nullopt;

    CsvItem item;
    const char first = m_data.at(m_pos);
    qsizetype end = m_pos;
    if (first == '"') {
        const qsizetype close = m_data.indexOf('"', m_pos + 1);
        const qsizetype stop = close < 0 ? m_data.size() : close;
        item.kind = CsvItem::Kind::Quoted;
        item.text = FromCp1252(m_data.mid(m_pos + 1, stop - m_pos - 1));
        end = close < 0 ? m_data.size() : close + 1;
        // Whatever stands between the closing quote and the separator is ignored.
        while (end < m_data.size() && m_data.at(end) != ',' && m_data.at(end) != '\r' &&
               m_data.at(end) != '\n')
            ++end;
    } else {
        while (end < m_data.size() && m_data.at(end) != ',' && m_data.at(end) != '\r' &&
               m_data.at(end) != '\n')
            ++end;
        const QString raw = FromCp1252(m_data.mid(m_pos, end - m_pos)).trimmed();
        if (raw.size() >= 2 && raw.startsWith(QLatin1Char('#')) && raw.endsWith(QLatin1Char('#'))) {
            item.kind = CsvItem::Kind::Date;
            item.text = raw.mid(1, raw.size() - 2);
            item.date = QDate::fromString(item.text, QStringLiteral("yyyy-MM-dd"));
        } else {
            item.text = raw;
        }
    }
    m_pos = end;
    // Consume the separator: one comma, or one line end (CR LF, CR or LF).
    if (m_pos < m_data.size()) {
        if (m_data.at(m_pos) == ',') {
            ++m_pos;
            m_afterComma = true;
        } else {
            skipLineEnd();
        }
    }
    skipBlanks();
    return item;
}

void CsvTokenizer::skipLineEnd()
{
    if (m_pos < m_data.size() && m_data.at(m_pos) == '\r') ++m_pos;
    if (m_pos < m_data.size() && m_data.at(m_pos) == '\n') ++m_pos;
}

QByteArray QuoteItem(const QString& text)
{
    QString clean = text;
    clean.remove(QLatin1Char('"'));
    return '"' + ToCp1252(clean) + '"';
}

QByteArray DateItem(const QDate& date)
{
    return '#' + date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + '#';
}

} // namespace text
