#include "text/AtomicFile.h"

#include <QSaveFile>

namespace text {

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // The write is buffered: only the flush reports a full disk or a size limit, and commit()
    // would otherwise put the cut-off file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace text
