#pragma once
// "How to &Use the Program": the HTML user guide beside the program, opened in the desktop's
// own viewer.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace app {

// The guide's file name.
QString HelpFileName();

// Where the guide is looked for: the current directory (start-up makes that the program's
// folder), then the executable's folder, then the place an installed copy keeps it.
QStringList HelpFolders();
// The guide's full path in the first of the folders that holds it; empty when none does.
QString FindHelpFile(const QStringList& folders);

// Opens the guide without waiting for the viewer. Returns false, and shows nothing, when the
// guide is missing or no viewer could be started.
bool OpenHelp();
// The same with the folders and the opener given (tests pass one that records the address).
bool OpenHelp(const QStringList& folders, const std::function<bool(const QUrl&)>& open);

} // namespace app
