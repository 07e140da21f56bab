#pragma once
// The one lottery database held in memory: a header and a fixed table of draw records.
#include <QDate>
#include <QString>
#include <array>
#include <vector>

struct DrawRecord {
    int RecordNo = 0;
    QDate DrawDate;               // invalid = empty cell
    std::array<int, 10> Numbers{}; // columns 2..11; 0 = empty
};

class DrawDatabase final {
public:
    static constexpr int MaxRecords = 2000;
    static constexpr int RecordArrayRows = 2003; // rows 0..2002; row 0 holds no record
    static constexpr int MaxColumns = 12;
    // A record dated 19 February 2500 is marked for deletion; the sort drops it.
    static const QDate DeletionMarker;

    DrawDatabase();

    QString Title;
    int RecordCount = 0;
    int ColumnCount = 8; // picks per draw + 2, 3..12
    int HighNumber = 49; // 1..60
    int AdvanceFirst = 0;
    int AdvanceSecond = 7;
    int PendingAdvance = 0;

    // Rows 0..2002; rows 1..RecordCount hold the records.
    std::vector<DrawRecord> Records;

    // ColumnCount - 2, clamped to 1..10 wherever it is used so a damaged header cannot index
    // past a record's ten numbers.
    int PicksPerDraw() const;
    // ColumnCount and HighNumber clamped to their ranges.
    int Columns() const;
    int High() const;

    // A record's value at a table column (0 RecordNo, 2..11 numbers); 0 for column 1.
    int cellNumber(int row, int column) const;

    // Empties every row of the table (0..2002).
    void clearRecords();
    // Erase after "Delete All": empties the table, RecordCount 0, Title "". Columns, the
    // highest number and the advance values are kept. (LastFileName is the caller's.)
    void erase();
    // Orders rows 1..RecordCount by date (the halving-gap exchange sort: equal dates are never
    // exchanged), renumbers them, and drops a record marked with DeletionMarker.
    void sortByDate();
};

// Reading and writing ".LTO" files.
namespace lto {

enum class LoadResult {
    Ok,          // read in the current seven-item layout
    OkOldFormat, // the first attempt failed; read in the older four-item layout
    Failed,      // not found, or unreadable in both layouts; the database is emptied
};

// Files larger than this are refused unread: 2,000 records of twelve items fit in far less.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

// Replaces the database with the file's content. On Failed the database is reset (empty table,
// RecordCount 0, Title ""). A failure never writes past the table.
LoadResult Load(const QString& path, DrawDatabase& db);
LoadResult LoadBytes(const QByteArray& bytes, DrawDatabase& db);

// The file's bytes: header line, then twelve items per record, CR LF line ends.
QByteArray Serialize(const DrawDatabase& db);
// Writes atomically (temporary file renamed over the old one); false if anything failed, and
// then the old file is untouched.
bool Save(const QString& path, const DrawDatabase& db);

} // namespace lto
