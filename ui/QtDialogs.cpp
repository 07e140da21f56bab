#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace ui {

namespace {
QWidget* Parent()
{
    return QApplication::activeWindow();
}

// A message box must show the normal pointer even while an operation has the busy one up.
class NormalPointerWhileOpen final {
public:
    NormalPointerWhileOpen() : m_had(QApplication::overrideCursor() != nullptr)
    {
        if (m_had)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointerWhileOpen()
    {
        if (m_had)
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_had;
};
} // namespace

void QtDialogs::message(const QString& title, const QString& text)
{
    NormalPointerWhileOpen pointer;
    QMessageBox::information(Parent(), title, text, QMessageBox::Ok);
}

bool QtDialogs::ask(const QString& title, const QString& text)
{
    NormalPointerWhileOpen pointer;
    return QMessageBox::question(Parent(), title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::chooseFile(FileMode mode, const QString& filter,
                                             const QString& defaultName)
{
    NormalPointerWhileOpen pointer;
    const QString start = defaultName.isEmpty() ? QDir::currentPath()
                                                : QDir::current().absoluteFilePath(defaultName);
    QString path;
    if (mode == FileMode::Open)
        path = QFileDialog::getOpenFileName(Parent(), QStringLiteral("Directories - Folders"),
                                            start, filter);
    else
        path = QFileDialog::getSaveFileName(Parent(), QStringLiteral("Directories - Folders"),
                                            start, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

void QtDialogs::setBusy(bool busy)
{
    if (busy) {
        ++m_busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0) {
        --m_busyDepth;
        QApplication::restoreOverrideCursor();
    }
}

} // namespace ui
