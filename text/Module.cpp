#include "text/Module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace text {

QFunctionPointer ModuleFunction(const QString& fileName, const char* symbol, QString& problem)
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    problem = QStringLiteral("%1 not found").arg(fileName);
    for (const QString& dir :
         {programDir.filePath(QStringLiteral(TALLIMO_MODULES_FROM_BIN)), programDir.path()}) {
        const QString path = QDir(dir).filePath(fileName);
        if (!QFileInfo::exists(path)) continue;
        // Never unloaded: what it made may live until the program ends.
        QLibrary module(path);
        if (const QFunctionPointer function = module.resolve(symbol)) return function;
        problem = module.errorString();
    }
    return nullptr;
}

} // namespace text
