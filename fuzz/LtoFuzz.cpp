// Feeds arbitrary bytes to the ".LTO" reader: it must never crash, hang or write past the
// table, and whatever it accepts must survive a write and a second read unchanged.
#include "models/draws/DrawDatabase.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    database::DrawDatabase db;
    const lto::LoadResult result = lto::LoadBytes(bytes, db);
    if (result == lto::LoadResult::Failed) {
        if (db.recordCount() != 0) std::abort();
        return 0;
    }
    if (db.recordCount() < 0 || db.recordCount() > database::DrawDatabase::MaxRecords) std::abort();
    const QByteArray written = lto::Serialize(db);
    database::DrawDatabase again;
    if (lto::LoadBytes(written, again) != lto::LoadResult::Ok) std::abort();
    if (lto::Serialize(again) != written) std::abort();
    return 0;
}
