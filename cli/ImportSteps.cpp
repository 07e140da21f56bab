#include "cli/ImportSteps.h"

#include "cli/Command.h"
#include "cli/CommandSupport.h"
#include "models/history/RememberedSource.h"
#include "models/state/AppInfo.h"
#include "models/tickets/TicketsFile.h"
#include "net/Download.h"

#include <QFile>
#include <QUrl>
#include <cstdio>

namespace cli {

namespace {

history::DecodedText ReadStandardInput()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return {{}, history::ReadError::CannotOpen, {}};
    QByteArray bytes;
    // Standard input has no size: read up to one byte past the cap.
    while (bytes.size() <= history::MaxSourceBytes) {
        const QByteArray chunk = in.read(history::MaxSourceBytes + 1 - bytes.size());
        if (chunk.isEmpty()) break;
        bytes += chunk;
    }
    return history::DecodeSource(bytes);
}

} // namespace

SourceRead ReadSource(const QString& source, bool allowHttp)
{
    SourceRead r;
    r.name = source;
    if (source == QLatin1String("-")) {
        r.name = QStringLiteral("<stdin>");
        r.text = ReadStandardInput();
        return r;
    }
    if (!history::IsWebAddress(source)) {
        r.text = history::ReadSourceFile(source);
        return r;
    }
    if (history::IsPlainHttp(source) && !allowHttp) {
        r.failure = QStringLiteral("%1: plain http refused (not encrypted); use https, or accept "
                                   "it with --allow-http")
                        .arg(source);
        return r;
    }
    net::DownloadOptions options;
    options.allowHttp = allowHttp;
    options.userAgent = app::UserAgent();
    const net::DownloadResult got = net::FetchBlocking(QUrl(source), options);
    if (!got.ok()) {
        r.failure = got.message;
        return r;
    }
    r.text = history::DecodeSource(got.bytes);
    return r;
}

std::optional<int> SourceFailure(const SourceRead& source, QTextStream& err)
{
    if (!source.failure.isEmpty()) {
        err << source.failure << '\n';
        return Failed;
    }
    if (source.text.error != history::ReadError::None)
        return FileError(err, source.name, history::ReadErrorText(source.text));
    return std::nullopt;
}

Merged MergeTable(const history::SourceTable& table, const history::Mapping& mapping,
                  database::DrawDatabase& db, const MergeSettings& settings, QTextStream& err)
{
    const history::ImportOptions& options = settings.options;
    Merged merged;
    const history::ImportPlan plan =
        history::PlanImport(table, mapping, db, {db.picksPerDraw(), db.highNumber()}, options);
    for (const history::PlannedRow& row : plan.rows) {
        if (row.status == history::RowStatus::Rejected ||
            (row.status == history::RowStatus::Conflict && !options.replaceConflicts))
            err << settings.sourceName << ':' << row.line << ": " << row.reason << '\n';
    }
    if (plan.overLimit()) {
        merged.status = FileError(
            err, settings.sourceName,
            QStringLiteral("holds %1 draws; with the %2 records of %3 that passes the limit of "
                           "%4 records: choose a range with --from and --to")
                .arg(plan.insideRange())
                .arg(plan.recordsBefore)
                .arg(settings.dbPath)
                .arg(database::DrawDatabase::MaxRecords));
        return merged;
    }
    // Conflicts are resolved by --replace; rejected rows (and unresolved conflicts) stop the
    // write unless --skip-bad leaves them out.
    const int unresolved = options.replaceConflicts ? 0 : plan.conflicts;
    const bool bad = plan.rejected > 0 || unresolved > 0;
    const bool write = !bad || settings.skipBad;
    history::ApplyResult applied;
    if (write) applied = history::ApplyPlan(plan, db, options);
    const bool changed = applied.added > 0 || applied.replaced > 0;
    if (write && changed && !settings.dryRun) {
        const text::WriteResult saved = lto::Save(settings.dbPath, db);
        if (!saved) {
            merged.status = FileError(err, settings.dbPath,
                                      WriteFailure(saved, QStringLiteral("it is left as it was")));
            return merged;
        }
    }
    if (applied.added > 0)
        for (const history::PlannedRow& row : plan.rows)
            if (row.status == history::RowStatus::New) merged.addedDates.push_back(row.date);
    // Every data line is counted once: the four counts, then the rows outside --from/--to, and
    // the new rows that a refused write left out.
    QTextStream summary(&merged.summary);
    summary << "added " << applied.added << ", already present " << plan.present << ", conflicts "
            << plan.conflicts << ", rejected " << plan.rejected;
    if (options.replaceConflicts) summary << ", replaced " << applied.replaced;
    if (plan.outside > 0) summary << ", outside the range " << plan.outside;
    if (!write && plan.added > 0) summary << ", new but not written " << plan.added;
    summary.flush();
    merged.status = write ? Done : Failed;
    return merged;
}

bool LoadSideFile(const QString& dbPath, tickets::Book& book, QTextStream& err)
{
    const QString path = tickets::SideFilePath(dbPath);
    const text::Result<tickets::LoadResult> read = tickets::Load(path, book);
    QString why;
    switch (read.code()) {
    case tickets::LoadResult::Ok:
    case tickets::LoadResult::NoFile:
        return true;
    case tickets::LoadResult::CannotOpen:
        why = QStringLiteral("cannot be opened (%1)").arg(read.reason());
        break;
    case tickets::LoadResult::TooLarge:
        why = QStringLiteral("too large for a tickets file");
        break;
    case tickets::LoadResult::Damaged:
        why = QStringLiteral("damaged: %1").arg(read.reason());
        break;
    }
    FileError(err, path, why + QStringLiteral("; it is left as it was"));
    return false;
}

bool SaveSideFile(const QString& dbPath, const tickets::Book& book, QTextStream& err)
{
    const QString path = tickets::SideFilePath(dbPath);
    const text::WriteResult written = tickets::Save(path, book);
    if (written) return true;
    FileError(err, path, WriteFailure(written));
    return false;
}

} // namespace cli
