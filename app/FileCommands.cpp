#include "app/FileCommands.h"

#include "models/state/AppState.h"
#include "models/tickets/TicketsFile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace app {

QString ChangedFileQuestion(const QString& lastFileName)
{
    return lastFileName +
           QStringLiteral(
               " file in memory will be erased. Do you want to go back and Save File to Disk?.");
}

QString DatabaseFileFilter()
{
    return QStringLiteral("Lottery Winning Numbers Database (*.lto)|*.lto");
}

QString QtFileFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) return filter;
    const QString description = filter.left(bar).trimmed();
    const QString pattern = filter.mid(bar + 1).trimmed();
    if (pattern.isEmpty()) return description;
    const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
    if (description.endsWith(bracketed)) return description;
    return description + QLatin1Char(' ') + bracketed;
}

QString SaveProposal(const QString& path, const QString& documentsDir, bool folderWritable)
{
    if (path.isEmpty() || folderWritable || documentsDir.isEmpty()) return path;
    return QDir(documentsDir).filePath(QFileInfo(path).fileName());
}

void InitialiseEmptyDatabase(core::AppState& state)
{
    database::DrawDatabase& db = state.database;
    db.clearRecords();
    db.setRecordCount(0);
    db.setTitle({});
    db.setShape(state.settings.DefaultPicks, state.settings.DefaultHighNumber);
    db.setFirstAdvance(0);
    state.setFileInMemory({});
    state.forgetTickets();
    state.Modified = false;
    stats::RecomputeFrequencies(db, state.stats.measure, state.stats);
    stats::RankNumbers(state.stats, db.highNumber(), stats::RankOrder::Ranked);
}

OpenOutcome OpenDatabaseFile(const QString& path, core::AppState& state)
{
    OpenOutcome outcome = OpenOutcome::CannotOpen;
    // Only a file is opened: a folder or a device named like a database is not found.
    if (QFileInfo(path).isFile()) {
        switch (lto::Load(path, state.database)) {
        case lto::LoadResult::Ok:
            outcome = OpenOutcome::Loaded;
            break;
        case lto::LoadResult::OkOldFormat:
            outcome = OpenOutcome::LoadedOldFormat;
            break;
        case lto::LoadResult::CannotOpen:
            break;
        case lto::LoadResult::Failed:
        case lto::LoadResult::TooLarge:
            // An oversized file is refused unread, like any other file that is not a database.
            outcome = OpenOutcome::Unreadable;
            break;
        }
    }

    if (outcome == OpenOutcome::Loaded || outcome == OpenOutcome::LoadedOldFormat) {
        state.setFileInMemory(QFileInfo(path).absoluteFilePath());
        // The records now match a file on disk, whatever the user said about the old ones.
        state.Modified = false;
        LoadTickets(state);
    } else {
        state.forgetTickets();
        database::DrawDatabase& db = state.database;
        db.clearRecords();
        db.setRecordCount(0);
        db.setTitle({});
        state.Modified = false;
        state.setFileInMemory({});
    }
    stats::RecomputeFrequencies(state.database, state.stats.measure, state.stats);
    stats::RankNumbers(state.stats, state.database.highNumber(), stats::RankOrder::Ranked);
    return outcome;
}

bool SaveDatabaseFile(const QString& path, core::AppState& state)
{
    if (!lto::Save(path, state.database)) return false;
    const QString before = state.filePath;
    state.setFileInMemory(QFileInfo(path).absoluteFilePath());
    state.Modified = false;
    // The tickets follow their database to a new name. A side file that could not be read is
    // not written over by saving the database in its place.
    const bool sameFile = QFileInfo(before).absoluteFilePath() == state.filePath;
    if (sameFile && !state.ticketsProblem.isEmpty()) return true;
    state.ticketsProblem.clear();
    const text::WriteResult written = SaveTickets(state);
    if (!written)
        qWarning().noquote() << QStringLiteral("%1: the tickets were not saved (%2)")
                                    .arg(tickets::SideFilePath(state.filePath), written.reason());
    return true;
}

void LoadTickets(core::AppState& state)
{
    const QString path = tickets::SideFilePath(state.filePath);
    const text::Result<tickets::LoadResult> read = tickets::Load(path, state.tickets);
    state.ticketsProblem = tickets::LoadProblem(path, read);
}

text::WriteResult SaveTickets(const core::AppState& state)
{
    // Tickets of a database that has no file yet wait in memory for its first save.
    if (state.filePath.isEmpty() || QFileInfo(state.filePath).isRelative()) return true;
    if (!state.ticketsProblem.isEmpty()) return {false, state.ticketsProblem};
    return tickets::Save(tickets::SideFilePath(state.filePath), state.tickets);
}

} // namespace app
