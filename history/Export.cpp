#include "history/Export.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace history {

QByteArray ExportCsv(const DrawDatabase& db)
{
    const int picks = db.PicksPerDraw();
    const int count = std::clamp(db.RecordCount, 0, DrawDatabase::MaxRecords);
    QByteArray out = "Date";
    for (int k = 1; k <= picks; ++k)
        out += ",N" + QByteArray::number(k);
    out += '\n';
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&db](int a, int b) {
        return db.Records[static_cast<size_t>(a)].DrawDate <
               db.Records[static_cast<size_t>(b)].DrawDate;
    });
    out.reserve(out.size() + count * (11 + 3 * picks + 1));
    for (int r : order) {
        const DrawRecord& rec = db.Records[static_cast<size_t>(r)];
        out += rec.DrawDate.toString(Qt::ISODate).toLatin1();
        for (int k = 0; k < picks; ++k)
            out += ',' + QByteArray::number(rec.Numbers[static_cast<size_t>(k)]);
        out += '\n';
    }
    return out;
}

} // namespace history
