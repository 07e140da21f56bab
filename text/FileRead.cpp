#include "text/FileRead.h"

#include <QFile>

namespace text {

QString TooLargeReason(qint64 maxBytes)
{
    return QStringLiteral("larger than %1 KB").arg(maxBytes / 1024);
}

FileRead ReadCapped(const QString& path, qint64 maxBytes)
{
    FileRead r;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = FileReadError::CannotOpen;
        r.reason = file.errorString();
        return r;
    }
    // A file's size is known without reading it. A device has none, so one byte past the cap is
    // read to know whether there is more.
    if (file.size() > maxBytes) {
        r.error = FileReadError::TooLarge;
        r.reason = TooLargeReason(maxBytes);
        return r;
    }
    r.bytes.resize(maxBytes + 1);
    const qint64 got = file.read(r.bytes.data(), r.bytes.size());
    if (got < 0 || got > maxBytes) {
        r.error = got < 0 ? FileReadError::ReadFailed : FileReadError::TooLarge;
        r.reason = got < 0 ? file.errorString() : TooLargeReason(maxBytes);
        r.bytes.clear();
        return r;
    }
    r.bytes.truncate(got);
    r.bytes.squeeze();
    return r;
}

} // namespace text
