#pragma once
// The main menu's file commands without their windows: the texts they show, the file dialog's
// requests and filters, and the loading and saving of the database with what each does to the
// program-wide state. The controller turns the outcomes into messages.
#include "text/Result.h"

#include <QString>

namespace core {
struct AppState;
}

namespace app {

// ---- Texts -------------------------------------------------------------------------------

// The question asked before unsaved records are lost.
QString ChangedFileQuestion(const QString& lastFileName);

// ---- File dialog ---------------------------------------------------------------------------

// The database filter in the common dialog's own "description|pattern" form.
QString DatabaseFileFilter(); // "Lottery Winning Numbers Database (*.lto)|*.lto"
// "description|pattern" as Qt writes a filter, "description (pattern)"; a description that
// already ends in the bracketed pattern is kept as it is.
QString QtFileFilter(const QString& filter);

// The file a Save proposes for the database last opened or saved as `path`: the same file; or,
// where its folder cannot be written (the installed samples), the same name in the user's
// documents folder.
QString SaveProposal(const QString& path, const QString& documentsDir, bool folderWritable);

// ---- Start-up ----------------------------------------------------------------------------

// The empty database of a new run, shaped by the settings: picks + 2 columns, the user's
// highest number, one draw a week; no records, no title, no file name, nothing modified.
void InitialiseEmptyDatabase(core::AppState& state);

// ---- Loading and saving -----------------------------------------------------------------

enum class OpenOutcome {
    Loaded,          // read in the current layout
    LoadedOldFormat, // the current layout failed; read in the older four-item layout
    Unreadable,      // opened, but neither layout reads: the database is emptied
    CannotOpen,      // could not be opened at all: the database is emptied
};

// Replaces the database with the file's content. On success the file's full path becomes
// filePath (its bare name LastFileName) and Modified is cleared, the records matching the file;
// on failure the database is emptied, Modified is cleared and both names emptied. The frequency
// table follows the new records.
OpenOutcome OpenDatabaseFile(const QString& path, core::AppState& state);

// Writes the database (atomically: a failed write leaves the old file as it was). On success
// filePath becomes the file's full path, LastFileName its name, and Modified is cleared; on failure
// nothing changes, so the unsaved records are still reported as unsaved.
bool SaveDatabaseFile(const QString& path, core::AppState& state);

// ---- Tickets --------------------------------------------------------------------------------

// Reads the tickets beside the database file in memory; a file that cannot be read leaves the
// book empty and its reason in ticketsProblem.
void LoadTickets(core::AppState& state);
// Writes the tickets beside the database file in memory. Nothing is written while the database
// has no file of its own (they are written with it), and a side file that could not be read is
// never written over (false, with the reason).
text::WriteResult SaveTickets(const core::AppState& state);

} // namespace app
