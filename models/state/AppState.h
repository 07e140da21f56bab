#pragma once
// The program-wide values, owned by the application and handed by reference to the windows
// that need them. Tests build their own.
#include "models/draws/DrawDatabase.h"
#include "models/settings/PersonalSettings.h"
#include "models/stats/Frequency.h"
#include "models/tickets/Tickets.h"
#include "text/RetypeFlag.h"

#include <QDate>
#include <QFileInfo>
#include <QString>

namespace core {

// Which window opened the graphs window, and so gets the user back when it closes.
enum class GraphCaller : int { MainMenu, DatabaseWindow };

struct AppState {
    database::DrawDatabase database;
    // Unsaved changes to the database; the exit and the open command ask while it is set.
    bool Modified = false;
    // The name, without folder, of the file last loaded or saved, as the windows show it.
    QString LastFileName;
    // The full path of that file, which the save dialog proposes; a bare name (the extract's)
    // until the file has a folder.
    QString filePath;

    // The file in memory is `path` (empty for none): its path, and its bare name for showing.
    void setFileInMemory(const QString& path)
    {
        filePath = path;
        LastFileName = QFileInfo(path).fileName();
    }

    stats::Statistics stats;
    PersonalSettings settings;

    // The tickets of the database in memory, read from the file beside it.
    tickets::Book tickets;
    // Why that file could not be read, when it could not: the book is then empty, and nothing is
    // written over the file until the user replaces it knowingly.
    QString ticketsProblem;
    // The database in memory is no longer the one the tickets were bought for.
    void forgetTickets()
    {
        tickets = {};
        ticketsProblem.clear();
    }

    // The first-key state shared by the setup boxes of every window.
    text::RetypeFlag RetypeFlag;
    // Where the graphs window returns.
    GraphCaller graphCaller = GraphCaller::MainMenu;

    // The top-numbers line as the database window last composed it, for the printout. Kept
    // here rather than in the window: the main menu prints the database after the window has
    // closed, with the line the user last saw.
    QString topNumbersHeading;
    QString topNumbersList;
};

} // namespace core
