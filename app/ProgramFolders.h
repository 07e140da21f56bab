#pragma once
// Where the program finds its samples and its guide, and where its file dialogs first look.
// Run from its build folder it keeps everything beside itself, as it always has. An installed
// copy (the samples under share/ next to its bin/) finds them in their installed places. Either,
// in a folder it cannot write, starts its dialogs in the user's documents folder; a copy in a
// read-only folder of its own is not thereby installed: its settings file there is still read.
#include <QString>

#include <functional>

namespace app {

struct ProgramFolders {
    QString programDir;     // the executable's folder
    QString samplesDir;     // the sample databases and investment sheet
    QString guideDir;       // the user guide and its pictures
    QString startDir;       // made the current directory: the file dialogs look here first
    bool installed = false; // the samples and the guide under share/
    bool writable = true;   // the program's folder can be written
};

// Whether a folder can be written; a test may answer for folders that root could write.
using WritableCheck = std::function<bool(const QString& dir)>;

// `samplesFromBin` and `guideFromBin` are the installed places relative to the executable's
// folder; `documentsDir` is the user's documents folder (the home folder when it is missing).
ProgramFolders FindProgramFolders(const QString& programDir, const QString& documentsDir,
                                  const QString& samplesFromBin, const QString& guideFromBin,
                                  const WritableCheck& writable = {});
// The same with the places this build installs to.
ProgramFolders FindProgramFolders(const QString& programDir, const QString& documentsDir);

} // namespace app
