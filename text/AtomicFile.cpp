#include "text/AtomicFile.h"

#include <QSaveFile>

namespace text {

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};
    // The write is buffered: only the flush reports a full disk or a size limit, and commit()
    // would otherwise put the cut-off file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit()) return {false, file.errorString()};
    return true;
}

} // namespace text
