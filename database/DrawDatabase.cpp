#include "database/DrawDatabase.h"

#include "text/AtomicFile.h"
#include "text/CsvTokenizer.h"
#include "text/Dates.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

const QDate DrawDatabase::DeletionMarker(2500, 2, 19);

DrawDatabase::DrawDatabase() : Records(RecordArrayRows) {}

int DrawDatabase::PicksPerDraw() const
{
    return Columns() - 2;
}

int DrawDatabase::Columns() const
{
    return std::clamp(ColumnCount, 3, MaxColumns);
}

int DrawDatabase::High() const
{
    return std::clamp(HighNumber, 1, 60);
}

int DrawDatabase::cellNumber(int row, int column) const
{
    if (row < 0 || row >= RecordArrayRows)
        return 0;
    const DrawRecord& r = Records[static_cast<size_t>(row)];
    if (column == 0)
        return r.RecordNo;
    if (column >= 2 && column < MaxColumns)
        return r.Numbers[static_cast<size_t>(column - 2)];
    return 0;
}

void DrawDatabase::clearRecords()
{
    std::fill(Records.begin(), Records.end(), DrawRecord{});
}

void DrawDatabase::erase()
{
    clearRecords();
    RecordCount = 0;
    Title.clear();
}

void DrawDatabase::sortByDate()
{
    const int n = std::clamp(RecordCount, 0, RecordArrayRows - 1);
    // An empty date cell sorts as day 0, as an empty value converts to the first date.
    auto serial = [this](int row) {
        const QDate& d = Records[static_cast<size_t>(row)].DrawDate;
        return d.isValid() ? text::DaySerial(d) : 0LL;
    };
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= n - 1; ++i) {
            for (int j = i - gap + 1; j >= 1; j -= gap) {
                if (serial(j) <= serial(j + gap))
                    break;
                std::swap(Records[static_cast<size_t>(j)], Records[static_cast<size_t>(j + gap)]);
            }
        }
    }
    for (int i = 1; i <= n; ++i)
        Records[static_cast<size_t>(i)].RecordNo = i;
    if (n >= 1 && Records[static_cast<size_t>(n)].DrawDate == DeletionMarker) {
        Records[static_cast<size_t>(n)] = DrawRecord{};
        RecordCount = n - 1;
    }
}

namespace lto {

namespace {

// One attempt at reading the file in one layout. Any item that cannot be what its place holds
// is a failure, so that a damaged file never loads with its items shifted.
bool ReadLayout(const QByteArray& bytes, bool sevenItemHeader, DrawDatabase& db)
{
    text::CsvTokenizer in(bytes);
    auto integer = [&in]() -> std::optional<long long> {
        auto item = in.next();
        if (!item)
            return std::nullopt;
        return item->integer();
    };
    // The header's numbers are 16-bit: a wider value is as unreadable as a word, rather than
    // one quietly cut to fit.
    auto header = [&integer]() -> std::optional<int> {
        const auto v = integer();
        if (!v || *v < -32768 || *v > 32767)
            return std::nullopt;
        return static_cast<int>(*v);
    };

    db.clearRecords();
    const auto count = header();
    const auto columns = header();
    const auto high = header();
    const auto title = in.next();
    if (!count || !columns || !high || !title)
        return false;
    // The title is text; a plain item is taken as written, but a date is not a title.
    if (title->kind == text::CsvItem::Kind::Date)
        return false;
    if (*count < 0 || *count > DrawDatabase::MaxRecords)
        return false;
    db.RecordCount = *count;
    db.ColumnCount = *columns;
    db.HighNumber = *high;
    db.Title = title->text;
    if (sevenItemHeader) {
        const auto a1 = header();
        const auto a2 = header();
        const auto pending = header();
        if (!a1 || !a2 || !pending)
            return false;
        db.AdvanceFirst = *a1;
        db.AdvanceSecond = *a2;
        db.PendingAdvance = *pending;
    } else {
        db.AdvanceFirst = 0;
        db.AdvanceSecond = 7;
        db.PendingAdvance = 7;
    }

    for (int row = 1; row <= db.RecordCount; ++row) {
        DrawRecord& rec = db.Records[static_cast<size_t>(row)];
        const auto no = integer();
        if (!no)
            return false;
        rec.RecordNo = static_cast<int>(std::clamp<long long>(*no, -32768, 32767));
        const auto date = in.next();
        if (!date)
            return false;
        if (date->kind == text::CsvItem::Kind::Date) {
            if (!date->date.isValid())
                return false;
            rec.DrawDate = date->date;
        } else {
            // A date given as text is accepted in the short-date or the ISO form.
            auto parsed = text::ParseDate(date->text);
            if (!parsed) {
                const QDate iso = QDate::fromString(date->text, QStringLiteral("yyyy-MM-dd"));
                if (!iso.isValid())
                    return false;
                parsed = iso;
            }
            rec.DrawDate = *parsed;
        }
        for (int c = 0; c < 10; ++c) {
            const auto item = in.next();
            if (!item || item->kind == text::CsvItem::Kind::Date)
                return false;
            long long v = 0;
            if (item->kind == text::CsvItem::Kind::Quoted || item->text.isEmpty()) {
                // An empty text converts to 0; any other text must still be a number.
                if (!item->text.trimmed().isEmpty()) {
                    bool ok = false;
                    v = item->text.trimmed().toLongLong(&ok);
                    if (!ok)
                        return false;
                }
            } else {
                const auto n = item->integer();
                if (!n)
                    return false;
                v = *n;
            }
            rec.Numbers[static_cast<size_t>(c)] = static_cast<int>(std::clamp<long long>(v, -32768, 32767));
        }
    }
    return true;
}

void Reset(DrawDatabase& db)
{
    db.clearRecords();
    db.RecordCount = 0;
    db.Title.clear();
}

} // namespace

LoadResult LoadBytes(const QByteArray& bytes, DrawDatabase& db)
{
    if (ReadLayout(bytes, true, db))
        return LoadResult::Ok;
    if (ReadLayout(bytes, false, db))
        return LoadResult::OkOldFormat;
    Reset(db);
    return LoadResult::Failed;
}

LoadResult Load(const QString& path, DrawDatabase& db)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes) {
        Reset(db);
        return LoadResult::Failed;
    }
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes) {
        Reset(db);
        return LoadResult::Failed;
    }
    return LoadBytes(bytes, db);
}

QByteArray Serialize(const DrawDatabase& db)
{
    QByteArray out;
    const int n = std::clamp(db.RecordCount, 0, DrawDatabase::RecordArrayRows - 1);
    out.reserve(64 + n * 48);
    out += QByteArray::number(db.RecordCount) + ',' + QByteArray::number(db.ColumnCount) + ',' +
           QByteArray::number(db.HighNumber) + ',' + text::QuoteItem(db.Title) + ',' +
           QByteArray::number(db.AdvanceFirst) + ',' + QByteArray::number(db.AdvanceSecond) + ',' +
           QByteArray::number(db.PendingAdvance) + "\r\n";
    for (int row = 1; row <= n; ++row) {
        const DrawRecord& rec = db.Records[static_cast<size_t>(row)];
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

bool Save(const QString& path, const DrawDatabase& db)
{
    return text::WriteFileAtomically(path, Serialize(db));
}

} // namespace lto
