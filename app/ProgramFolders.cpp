#include "app/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

namespace app {

namespace {
bool HoldsFile(const QString& dir, const QString& name)
{
    return QFileInfo(QDir(dir).filePath(name)).isFile();
}
} // namespace

ProgramFolders FindProgramFolders(const QString& programDir, const QString& documentsDir,
                                  const QString& samplesFromBin, const QString& guideFromBin,
                                  const WritableCheck& writable)
{
    ProgramFolders folders;
    folders.programDir = programDir;
    folders.samplesDir = programDir;
    folders.guideDir = programDir;
    folders.startDir = programDir;

    const QDir bin(programDir);
    const QString sharedSamples = QDir::cleanPath(bin.filePath(samplesFromBin));
    const QString sharedGuide = QDir::cleanPath(bin.filePath(guideFromBin));
    const bool besideProgram = HoldsFile(programDir, QStringLiteral("Sample.Lto"));
    const bool underShare = !besideProgram && QFileInfo(sharedSamples).isDir();
    if (underShare) {
        folders.samplesDir = sharedSamples;
        folders.guideDir = sharedGuide;
    }
    folders.installed = underShare;
    folders.writable = writable ? writable(programDir) : QFileInfo(programDir).isWritable();
    if (folders.installed || !folders.writable) {
        // The program's own folder is no place for the user's files.
        folders.startDir = QFileInfo(documentsDir).isDir() ? documentsDir : QDir::homePath();
    }
    return folders;
}

ProgramFolders FindProgramFolders(const QString& programDir, const QString& documentsDir)
{
    return FindProgramFolders(programDir, documentsDir, QStringLiteral(TALLIMO_SAMPLES_FROM_BIN),
                              QStringLiteral(TALLIMO_GUIDE_FROM_BIN));
}

} // namespace app
