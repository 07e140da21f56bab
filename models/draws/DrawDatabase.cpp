#include "models/draws/DrawDatabase.h"

#include "text/AtomicFile.h"
#include "text/CsvTokenizer.h"
#include "text/Dates.h"
#include "text/FileRead.h"
#include "text/Format.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>
namespace database {

const QDate DrawDatabase::DeletionMarker(2500, 2, 19);

DrawDatabase::DrawDatabase() : m_rows(static_cast<size_t>(MaxRecords) + 1) {}

void DrawDatabase::setShape(int picks, int highNumber)
{
    m_picks = std::clamp(picks, 1, MaxPicks);
    m_highNumber = std::clamp(highNumber, 1, MaxHighNumber);
}

void DrawDatabase::setAdvance(int first, int second, int pending)
{
    m_advanceFirst = first;
    m_advanceSecond = second;
    m_pendingAdvance = pending;
}

void DrawDatabase::setFirstAdvance(int days)
{
    m_advanceFirst = std::clamp(days, 0, 6);
    m_advanceSecond = 7 - m_advanceFirst;
}

void DrawDatabase::setRecordCount(int count)
{
    m_recordCount = std::clamp(count, 0, MaxRecords);
}

const DrawRecord& DrawDatabase::record(int row) const
{
    static const DrawRecord empty;
    if (row < 1 || row > MaxRecords) return empty;
    return m_rows[static_cast<size_t>(row)];
}

DrawRecord& DrawDatabase::record(int row)
{
    if (row < 1 || row > MaxRecords) {
        m_scratch = DrawRecord{};
        return m_scratch;
    }
    return m_rows[static_cast<size_t>(row)];
}

std::span<const DrawRecord> DrawDatabase::records() const
{
    return std::span<const DrawRecord>(m_rows).subspan(1, static_cast<size_t>(m_recordCount));
}

std::span<DrawRecord> DrawDatabase::records()
{
    return std::span<DrawRecord>(m_rows).subspan(1, static_cast<size_t>(m_recordCount));
}

void DrawDatabase::clearRecords()
{
    std::fill(m_rows.begin(), m_rows.end(), DrawRecord{});
}

void DrawDatabase::erase()
{
    clearRecords();
    m_recordCount = 0;
    m_title.clear();
}

void DrawDatabase::sortByDate()
{
    const int n = m_recordCount;
    // An empty date cell sorts as day 0, as an empty value converts to the first date.
    auto serial = [this](int row) {
        const QDate& d = m_rows[static_cast<size_t>(row)].DrawDate;
        return d.isValid() ? text::DaySerial(d) : 0LL;
    };
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= n - 1; ++i) {
            for (int j = i - gap + 1; j >= 1; j -= gap) {
                if (serial(j) <= serial(j + gap)) break;
                std::swap(m_rows[static_cast<size_t>(j)], m_rows[static_cast<size_t>(j + gap)]);
            }
        }
    }
    for (int i = 1; i <= n; ++i)
        m_rows[static_cast<size_t>(i)].RecordNo = i;
    if (n >= 1 && m_rows[static_cast<size_t>(n)].DrawDate == DeletionMarker) {
        m_rows[static_cast<size_t>(n)] = DrawRecord{};
        m_recordCount = n - 1;
    }
}

bool DrawDatabase::removeRecord(int row)
{
    if (row < 1 || row > m_recordCount) return false;
    const auto first = m_rows.begin() + row;
    const auto end = m_rows.begin() + m_recordCount + 1;
    std::rotate(first, first + 1, end);
    *(end - 1) = DrawRecord{};
    m_recordCount -= 1;
    return true;
}

} // namespace database

namespace lto {

namespace {

// One attempt at reading the file in one layout. Any item that cannot be what its place holds
// is a failure, so that a damaged file never loads with its items shifted.
std::optional<long long> NextInteger(text::CsvTokenizer& in)
{
    auto item = in.next();
    if (!item) return std::nullopt;
    return item->integer();
}

// The header's numbers are 16-bit: a wider value is as unreadable as a word, rather than one
// quietly cut to fit.
std::optional<int> NextHeaderValue(text::CsvTokenizer& in)
{
    const auto v = NextInteger(in);
    if (!v || !text::FitsInt16(*v)) return std::nullopt;
    return static_cast<int>(*v);
}

// The header line: record count, columns, highest number, title, and in the current layout the
// three advance values. Sets the database's shape and count; false when it is unreadable.
bool ReadHeader(text::CsvTokenizer& in, bool sevenItemHeader, database::DrawDatabase& db)
{
    const auto count = NextHeaderValue(in);
    const auto columns = NextHeaderValue(in);
    const auto high = NextHeaderValue(in);
    const auto title = in.next();
    if (!count || !columns || !high || !title) return false;
    // The title is text; a plain item is taken as written, but a date is not a title.
    if (title->kind == text::CsvItem::Kind::Date) return false;
    if (*count < 0 || *count > database::DrawDatabase::MaxRecords) return false;
    db.setRecordCount(*count);
    db.setShape(*columns - 2, *high);
    db.setTitle(title->text);
    if (!sevenItemHeader) {
        db.setAdvance(0, 7, 7);
        return true;
    }
    const auto a1 = NextHeaderValue(in);
    const auto a2 = NextHeaderValue(in);
    const auto pending = NextHeaderValue(in);
    if (!a1 || !a2 || !pending) return false;
    db.setAdvance(*a1, *a2, *pending);
    return true;
}

// A record's date: a date item, or text in the short-date or the ISO form.
std::optional<QDate> ReadDrawDate(const text::CsvItem& date)
{
    if (date.kind == text::CsvItem::Kind::Date) {
        if (!date.date.isValid()) return std::nullopt;
        return date.date;
    }
    if (auto parsed = text::ParseDate(date.text)) return parsed;
    const QDate iso = QDate::fromString(date.text, QStringLiteral("yyyy-MM-dd"));
    if (!iso.isValid()) return std::nullopt;
    return iso;
}

// One number cell; an empty text converts to 0, any other text must still be a number.
std::optional<long long> ReadCell(const std::optional<text::CsvItem>& item)
{
    if (!item || item->kind == text::CsvItem::Kind::Date) return std::nullopt;
    if (item->kind == text::CsvItem::Kind::Quoted || item->text.isEmpty()) {
        const QString trimmed = item->text.trimmed();
        if (trimmed.isEmpty()) return 0;
        bool ok = false;
        const long long v = trimmed.toLongLong(&ok);
        if (!ok) return std::nullopt;
        return v;
    }
    return item->integer();
}

// One record: its number, its date and ten number cells.
bool ReadRecord(text::CsvTokenizer& in, database::DrawRecord& rec)
{
    const auto no = NextInteger(in);
    if (!no) return false;
    rec.RecordNo = text::ClampToInt16(*no);
    const auto date = in.next();
    if (!date) return false;
    const std::optional<QDate> drawDate = ReadDrawDate(*date);
    if (!drawDate) return false;
    rec.DrawDate = *drawDate;
    for (int c = 0; c < 10; ++c) {
        const std::optional<long long> v = ReadCell(in.next());
        if (!v) return false;
        rec.Numbers[static_cast<size_t>(c)] = text::ClampToInt16(*v);
    }
    return true;
}

bool ReadLayout(const QByteArray& bytes, bool sevenItemHeader, database::DrawDatabase& db)
{
    text::CsvTokenizer in(bytes);
    db.clearRecords();
    if (!ReadHeader(in, sevenItemHeader, db)) return false;
    for (database::DrawRecord& rec : db.records()) {
        if (!ReadRecord(in, rec)) return false;
    }
    return true;
}

void Reset(database::DrawDatabase& db)
{
    db.erase();
}

} // namespace

LoadResult LoadBytes(const QByteArray& bytes, database::DrawDatabase& db)
{
    if (ReadLayout(bytes, true, db)) return LoadResult::Ok;
    if (ReadLayout(bytes, false, db)) return LoadResult::OkOldFormat;
    Reset(db);
    return LoadResult::Failed;
}

text::Result<LoadResult> Load(const QString& path, database::DrawDatabase& db)
{
    const text::FileRead read = text::ReadCapped(path, MaxFileBytes);
    switch (read.error) {
    case text::FileReadError::None:
        return LoadBytes(read.bytes, db);
    case text::FileReadError::CannotOpen:
        Reset(db);
        return {LoadResult::CannotOpen, read.reason};
    case text::FileReadError::TooLarge:
        Reset(db);
        return {LoadResult::TooLarge, read.reason};
    case text::FileReadError::ReadFailed:
        break;
    }
    Reset(db);
    return {LoadResult::Failed, read.reason};
}

QByteArray Serialize(const database::DrawDatabase& db)
{
    QByteArray out;
    out.reserve(64 + db.recordCount() * 48);
    out += QByteArray::number(db.recordCount()) + ',' + QByteArray::number(db.columnCount()) + ',' +
           QByteArray::number(db.highNumber()) + ',' + text::QuoteItem(db.title()) + ',' +
           QByteArray::number(db.advanceFirst()) + ',' + QByteArray::number(db.advanceSecond()) +
           ',' + QByteArray::number(db.pendingAdvance()) + "\r\n";
    for (const database::DrawRecord& rec : db.records()) {
        out += QByteArray::number(rec.RecordNo);
        out += ',';
        // An empty date cell converts to the first date, day 0.
        out += text::DateItem(rec.DrawDate.isValid() ? rec.DrawDate : text::DateFromSerial(0));
        for (int c = 0; c < 10; ++c) {
            out += ',';
            // Columns beyond the picks are empty (0) in memory, so they are written as 0.
            out += QByteArray::number(rec.Numbers[static_cast<size_t>(c)]);
        }
        out += "\r\n";
    }
    return out;
}

text::WriteResult Save(const QString& path, const database::DrawDatabase& db)
{
    return text::WriteFileAtomically(path, Serialize(db));
}

} // namespace lto
