#include "cli/LoadDatabase.h"

#include <QFileInfo>

namespace cli {

bool LoadDatabase(const QString& path, database::DrawDatabase& db, QTextStream& err)
{
    QString reason;
    const text::Result<lto::LoadResult> loaded = lto::Load(path, db);
    switch (loaded.code()) {
    case lto::LoadResult::Ok:
    case lto::LoadResult::OkOldFormat:
        return true;
    case lto::LoadResult::CannotOpen:
        reason = !QFileInfo::exists(path) ? QStringLiteral("no such file")
                 : loaded.reason().isEmpty()
                     ? QStringLiteral("cannot be opened")
                     : QStringLiteral("cannot be opened (%1)").arg(loaded.reason());
        break;
    case lto::LoadResult::TooLarge:
        reason = QStringLiteral("larger than %1 MB, too large for a lottery database")
                     .arg(lto::MaxFileBytes / (1024 * 1024));
        break;
    case lto::LoadResult::Failed:
        reason = QStringLiteral("not a lottery database, or damaged");
        break;
    }
    err << path << ": " << reason << '\n';
    return false;
}

} // namespace cli
