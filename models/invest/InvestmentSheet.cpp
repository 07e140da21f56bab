#include "models/invest/InvestmentSheet.h"

#include "text/AtomicFile.h"
#include "text/CsvTokenizer.h"
#include "text/FileRead.h"

#include <QFileInfo>
#include <QList>
#include <QLocale>
#include <cmath>
#include <optional>

namespace inv {

namespace {

const Cell kEmptyCell;

// Numbers beyond this are no amount; refusing them keeps every sum of a sheet finite.
constexpr double MaxStoredMagnitude = 1e300;

bool ValidRow(int row)
{
    return row >= 0 && row <= InvestmentSheet::LastRow;
}
bool ValidCol(int col)
{
    return col == 0 || col == 1;
}

} // namespace

double Cell::value() const
{
    switch (kind) {
    case Kind::Number:
        return number;
    case Kind::Text:
        return text::AmountValue(text);
    case Kind::Empty:
        break;
    }
    return 0.0;
}

QString Cell::asText() const
{
    switch (kind) {
    case Kind::Text:
        return text;
    case Kind::Number:
        return PlainDecimal(number);
    case Kind::Empty:
        break;
    }
    return {};
}

bool Cell::operator==(const Cell& other) const
{
    if (kind != other.kind) return false;
    switch (kind) {
    case Kind::Text:
        return text == other.text;
    case Kind::Number:
        return number == other.number;
    case Kind::Empty:
        break;
    }
    return true;
}

QString PlainDecimal(double value)
{
    if (!std::isfinite(value) || value == 0) return QStringLiteral("0");
    // 15 significant digits drop the noise of binary sums (0.1 + 0.2 is stored as 0.3).
    const double rounded = QString::number(value, 'g', 15).toDouble();
    return QString::number(rounded, 'f', QLocale::FloatingPointShortest);
}

QString AmountText(const Cell& amount, text::MoneyPattern pattern)
{
    switch (amount.kind) {
    case Cell::Kind::Empty:
        return {};
    case Cell::Kind::Number:
        return text::Money(amount.number, pattern);
    case Cell::Kind::Text: {
        if (amount.text.isEmpty()) return {};
        bool ok = false;
        const double v = amount.text.trimmed().toDouble(&ok);
        return ok && std::isfinite(v) ? text::Money(v, pattern) : amount.text;
    }
    }
    return {};
}

bool IsSubTotal(const QString& description)
{
    return description.compare(QLatin1String("Sub Total"), Qt::CaseInsensitive) == 0;
}

const Cell& InvestmentSheet::cell(int row, int col) const
{
    if (!ValidRow(row) || !ValidCol(col)) return kEmptyCell;
    return m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void InvestmentSheet::setCell(int row, int col, const Cell& value)
{
    if (!ValidRow(row) || !ValidCol(col)) return;
    m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)] = value;
}

void InvestmentSheet::calculate()
{
    std::array<std::array<Cell, 2>, LastRow + 1> kept{};
    double total = 0;
    double subTotal = 0;
    size_t n = 0;
    for (size_t i = 1; i <= EditableRows; ++i) {
        const auto& row = m_cells[i];
        if (row[0].isEmpty()) continue; // an amount without a description is dropped with its row
        ++n;
        kept[n] = row;
        const bool sub = row[0].kind == Cell::Kind::Text && IsSubTotal(row[0].text);
        if (sub) kept[n][1] = Cell(); // a typed amount never counts in a Sub Total row
        total += kept[n][1].value();
        subTotal += kept[n][1].value();
        if (sub) {
            kept[n][1] = Cell::Number(subTotal);
            subTotal = 0;
        }
    }
    m_cells = kept;
    SheetRowCount = static_cast<int>(n);
    SheetTotal = total;
}

void InvestmentSheet::clear()
{
    m_cells = {};
    SheetRowCount = 0;
    SheetTotal = 0;
    InvestmentFileName.clear();
    investmentFilePath.clear();
}

bool InvestmentSheet::hasContent() const
{
    for (size_t r = 1; r <= EditableRows; ++r)
        if (!m_cells[r][0].isEmpty() || !m_cells[r][1].isEmpty()) return true;
    return false;
}

bool InvestmentSheet::insertBlankLine(int n)
{
    if (n < 1 || n >= EditableRows) return false;
    // The last row in use counts typed rows that no Calculate has seen yet, so that moving
    // rows down never overwrites one.
    size_t last = 0;
    for (size_t r = EditableRows; r >= 1; --r) {
        if (!m_cells[r][0].isEmpty() || !m_cells[r][1].isEmpty()) {
            last = r;
            break;
        }
    }
    if (last >= EditableRows) return false;
    const size_t at = static_cast<size_t>(n);
    for (size_t r = last; r >= at && r >= 1; --r)
        m_cells[r + 1] = m_cells[r];
    m_cells[at] = {Cell::Text(QStringLiteral("BlankLine")), Cell()};
    calculate();
    return true;
}

namespace {

// The lines of the file, split at CR LF (or a lone CR or LF), at most `maxLines` of them. A line
// end after the last line does not start another one.
QList<QByteArray> SplitLines(const QByteArray& bytes, int maxLines)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size() && lines.size() < maxLines; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size() && lines.size() < maxLines) lines.append(bytes.mid(start));
    return lines;
}

// The items of one line; nothing when the line holds more than `maxItems`.
std::optional<QList<text::CsvItem>> LineItems(const QByteArray& line, int maxItems)
{
    QList<text::CsvItem> items;
    text::CsvTokenizer tokens(line);
    while (auto item = tokens.next()) {
        if (items.size() >= maxItems) return std::nullopt;
        items.append(*item);
    }
    return items;
}

std::optional<Cell> ReadCell(const text::CsvItem& item)
{
    switch (item.kind) {
    case text::CsvItem::Kind::Quoted:
        return Cell::Text(item.text);
    case text::CsvItem::Kind::Date:
        return std::nullopt; // a sheet holds no dates
    case text::CsvItem::Kind::Plain:
        break;
    }
    if (item.text.isEmpty()) return Cell();
    const auto v = item.number();
    if (!v || !std::isfinite(*v) || std::fabs(*v) > MaxStoredMagnitude) return std::nullopt;
    return Cell::Number(*v);
}

LoadResult ReadBytes(const QByteArray& bytes, InvestmentSheet& sheet)
{
    constexpr int fileLines = InvestmentSheet::LastRow + 1;
    const QList<QByteArray> lines = SplitLines(bytes, fileLines);
    if (lines.size() < fileLines) return LoadResult::TooShort;

    // Line 1: the row count, read and then superseded by the Calculate that follows.
    const auto countItems = LineItems(lines.at(0), 1);
    if (!countItems || countItems->size() != 1 || !countItems->at(0).integer())
        return LoadResult::BadValue;

    for (int r = 1; r <= InvestmentSheet::LastRow; ++r) {
        const auto items = LineItems(lines.at(r), 2);
        if (!items) return LoadResult::BadValue;
        // A missing item (the empty amount after the comma) is an empty cell.
        for (int c = 0; c < 2; ++c) {
            Cell value;
            if (c < items->size()) {
                const auto read = ReadCell(items->at(c));
                if (!read) return LoadResult::BadValue;
                value = *read;
            }
            sheet.setCell(r, c, value);
        }
    }
    return LoadResult::Ok;
}

QByteArray CellBytes(const Cell& cell)
{
    switch (cell.kind) {
    case Cell::Kind::Text:
        return text::QuoteItem(cell.text);
    case Cell::Kind::Number:
        return PlainDecimal(cell.number).toLatin1();
    case Cell::Kind::Empty:
        break;
    }
    return {};
}

} // namespace

LoadResult LoadBytes(const QByteArray& bytes, InvestmentSheet& sheet)
{
    sheet.clear();
    const LoadResult result = ReadBytes(bytes, sheet);
    if (result != LoadResult::Ok) sheet.clear();
    sheet.calculate();
    return result;
}

text::Result<LoadResult> Load(const QString& path, InvestmentSheet& sheet)
{
    const text::FileRead read = text::ReadCapped(path, MaxFileBytes);
    if (read.error == text::FileReadError::CannotOpen ||
        read.error == text::FileReadError::TooLarge) {
        sheet.clear();
        sheet.calculate();
        return {read.error == text::FileReadError::CannotOpen ? LoadResult::CannotOpen
                                                              : LoadResult::TooLarge,
                read.reason};
    }
    // A failed read leaves no bytes, which are too short for a sheet.
    const LoadResult result = LoadBytes(read.bytes, sheet);
    if (result == LoadResult::Ok) {
        sheet.investmentFilePath = QFileInfo(path).absoluteFilePath();
        sheet.InvestmentFileName = QFileInfo(path).fileName();
    }
    return {result, read.reason};
}

QByteArray Serialize(const InvestmentSheet& sheet)
{
    QByteArray out = QByteArray::number(sheet.SheetRowCount) + "\r\n";
    for (int r = 1; r <= InvestmentSheet::LastRow; ++r)
        out += CellBytes(sheet.cell(r, 0)) + ',' + CellBytes(sheet.cell(r, 1)) + "\r\n";
    return out;
}

text::WriteResult Save(const QString& path, InvestmentSheet& sheet)
{
    text::WriteResult written = text::WriteFileAtomically(path, Serialize(sheet));
    if (!written) return written;
    sheet.investmentFilePath = QFileInfo(path).absoluteFilePath();
    sheet.InvestmentFileName = QFileInfo(path).fileName();
    return true;
}

} // namespace inv
