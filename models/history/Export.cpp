#include "models/history/Export.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace history {

QByteArray ExportCsv(const database::DrawDatabase& db)
{
    const int picks = db.picksPerDraw();
    const int count = db.recordCount();
    QByteArray out = "Date";
    for (int k = 1; k <= picks; ++k)
        out += ",N" + QByteArray::number(k);
    out += '\n';
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&db](int a, int b) { return db.record(a).DrawDate < db.record(b).DrawDate; });
    out.reserve(out.size() + count * (11 + 3 * picks + 1));
    for (int r : order) {
        const database::DrawRecord& rec = db.record(r);
        out += rec.DrawDate.toString(Qt::ISODate).toLatin1();
        for (int k = 0; k < picks; ++k)
            out += ',' + QByteArray::number(rec.Numbers[static_cast<size_t>(k)]);
        out += '\n';
    }
    return out;
}

bool IsExport(const SourceTable& table)
{
    if (table.separator != Separator::Comma || table.header.size() < 2 ||
        table.header.size() > 11 || table.header.front() != QLatin1String("Date"))
        return false;
    for (qsizetype k = 1; k < table.header.size(); ++k) {
        if (table.header[k] != QStringLiteral("N%1").arg(k)) return false;
    }
    return true;
}

} // namespace history
