#pragma once
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for a test's files, removed afterwards.
class TempDir {
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString dir() const { return m_dir.path(); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};
