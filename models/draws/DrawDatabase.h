#pragma once
// The one lottery database held in memory: a header and a fixed table of draw records.
#include "text/Result.h"

#include <QDate>
#include <QString>
#include <array>
#include <span>
#include <vector>

namespace database {

struct DrawRecord {
    int RecordNo = 0;
    QDate DrawDate;                // invalid = empty cell
    std::array<int, 10> Numbers{}; // columns 2..11; 0 = empty
};

// The table keeps its own limits: its shape is clamped when it is set, the record count never
// leaves the table, and a row outside the table reads as an empty record. Rows are numbered from
// 1, as the file and the grids number them.
class DrawDatabase final {
public:
    static constexpr int MaxRecords = 2000;
    static constexpr int MaxPicks = 10;
    static constexpr int MaxHighNumber = 60;
    // A record dated 19 February 2500 is marked for deletion; the sort drops it.
    static const QDate DeletionMarker;

    DrawDatabase();

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // The one way to set the shape: picks per draw clamped to 1..10, the highest number to
    // 1..60, so no reader has to clamp them again.
    void setShape(int picks, int highNumber);
    int picksPerDraw() const { return m_picks; }
    // The grid's and the file's column count: record number, date, then the picks.
    int columnCount() const { return m_picks + 2; }
    int highNumber() const { return m_highNumber; }

    // The automatic date advance: two alternating steps in days and the step due next.
    int advanceFirst() const { return m_advanceFirst; }
    int advanceSecond() const { return m_advanceSecond; }
    int pendingAdvance() const { return m_pendingAdvance; }
    // The three values as a file header holds them.
    void setAdvance(int first, int second, int pending);
    // The first step as the set-up box takes it (0..6); the second makes up the week.
    void setFirstAdvance(int days);
    void setPendingAdvance(int days) { m_pendingAdvance = days; }

    int recordCount() const { return m_recordCount; }
    // Clamped to 0..MaxRecords; rows past the old count keep what they hold.
    void setRecordCount(int count);
    // Row 1..MaxRecords; any other row reads as an empty record.
    const DrawRecord& record(int row) const;
    // Row 1..MaxRecords; any other row is a scratch record that nothing reads back.
    DrawRecord& record(int row);
    // The records, rows 1..recordCount().
    std::span<const DrawRecord> records() const;
    std::span<DrawRecord> records();

    // Empties every row of the table.
    void clearRecords();
    // Erase after "Delete All": empties the table, record count 0, title "". The shape and the
    // advance values are kept. (LastFileName is the caller's.)
    void erase();
    // Orders rows 1..recordCount() by date (the halving-gap exchange sort: equal dates are never
    // exchanged), renumbers them, and drops a record marked with DeletionMarker.
    void sortByDate();
    // Takes record `row` (1..recordCount()) out; the later records move up a row. False when
    // there is no such record.
    bool removeRecord(int row);

private:
    QString m_title;
    int m_recordCount = 0;
    int m_picks = 6;
    int m_highNumber = 49;
    int m_advanceFirst = 0;
    int m_advanceSecond = 7;
    int m_pendingAdvance = 0;
    // Rows 0..MaxRecords; row 0 holds no record.
    std::vector<DrawRecord> m_rows;
    DrawRecord m_scratch;
};

} // namespace database

// Reading and writing ".LTO" files.
namespace lto {

enum class LoadResult {
    Ok,          // read in the current seven-item layout
    OkOldFormat, // the first attempt failed; read in the older four-item layout
    Failed,      // unreadable in both layouts; the database is emptied
    CannotOpen,  // the file could not be opened; the database is emptied
    TooLarge,    // larger than MaxFileBytes, refused unread; the database is emptied
};

// Ok or OkOldFormat: the database holds the file's records.
constexpr bool Loaded(LoadResult result)
{
    return result == LoadResult::Ok || result == LoadResult::OkOldFormat;
}

// Files larger than this are refused unread: 2,000 records of twelve items fit in far less.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

// Replaces the database with the file's content. On a failure the database is reset (empty
// table, record count 0, title ""). A failure never writes past the table.
// A failure carries the system's reason ("No such file or directory").
text::Result<LoadResult> Load(const QString& path, database::DrawDatabase& db);
[[nodiscard]] LoadResult LoadBytes(const QByteArray& bytes, database::DrawDatabase& db);

// The file's bytes: header line, then twelve items per record, CR LF line ends.
QByteArray Serialize(const database::DrawDatabase& db);
// Writes atomically (temporary file renamed over the old one); false if anything failed, and
// then the old file is untouched, and the result carries the system's reason.
text::WriteResult Save(const QString& path, const database::DrawDatabase& db);

} // namespace lto
