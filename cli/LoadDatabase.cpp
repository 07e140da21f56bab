#include "cli/LoadDatabase.h"

#include <QFileInfo>

namespace cli {

bool LoadDatabase(const QString& path, database::DrawDatabase& db, QTextStream& err)
{
    QString reason;
    switch (lto::Load(path, db)) {
    case lto::LoadResult::Ok:
    case lto::LoadResult::OkOldFormat:
        return true;
    case lto::LoadResult::NotFound:
        reason = QFileInfo::exists(path) ? QStringLiteral("cannot be opened")
                                         : QStringLiteral("no such file");
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
