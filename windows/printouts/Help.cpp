#include "windows/printouts/Help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace app {

QString HelpFileName()
{
    return QStringLiteral("Tlmuse.html");
}

QStringList HelpFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {QDir::currentPath(), programDir,
            QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(TALLIMO_GUIDE_FROM_BIN)))};
}

QString FindHelpFile(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(HelpFileName()));
        if (file.isFile() && file.isReadable()) return file.absoluteFilePath();
    }
    return {};
}

bool OpenHelp(const QStringList& folders, const std::function<bool(const QUrl&)>& open)
{
    const QString path = FindHelpFile(folders);
    if (path.isEmpty() || !open) return false;
    return open(QUrl::fromLocalFile(path));
}

bool OpenHelp()
{
    // The desktop starts its viewer as a separate program and returns at once.
    return OpenHelp(HelpFolders(), [](const QUrl& url) { return QDesktopServices::openUrl(url); });
}

} // namespace app
