#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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
        if (m_had) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointerWhileOpen()
    {
        if (m_had) QApplication::restoreOverrideCursor();
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

// "Desc (*.lto)" becomes "Desc (*.lto *.LTO *.Lto)": the samples are named "Sample.Lto", and a
// native dialog may match patterns case-sensitively.
QString AnyCaseFilter(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) return filter;
    QStringList patterns;
    for (const QString& p :
         filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype dot = p.lastIndexOf(QLatin1Char('.'));
        const QString ext = dot >= 0 ? p.mid(dot + 1) : QString();
        const QString stem = dot >= 0 ? p.left(dot + 1) : p;
        for (const QString& variant :
             {p, stem + ext.toUpper(), stem + ext.left(1).toUpper() + ext.mid(1).toLower()})
            if (!patterns.contains(variant)) patterns << variant;
    }
    return filter.left(open + 1) + patterns.join(QLatin1Char(' ')) + filter.mid(close);
}

std::optional<QString> QtDialogs::chooseFile(FileMode mode, const QString& requestedFilter,
                                             const QString& defaultName)
{
    NormalPointerWhileOpen pointer;
    // Before any file is chosen, an Open dialog starts in the offered folder (the samples).
    const bool firstOpen = mode == FileMode::Open && m_lastFolder.isEmpty() &&
                           defaultName.isEmpty() && !m_offered.isEmpty();
    const QString start =
        firstOpen ? m_offered
                  : DialogStartPath(defaultName,
                                    m_lastFolder.isEmpty() ? QDir::currentPath() : m_lastFolder);
    QFileDialog dialog(Parent(), QStringLiteral("Directories - Folders"), start,
                       AnyCaseFilter(requestedFilter));
    dialog.setAcceptMode(mode == FileMode::Open ? QFileDialog::AcceptOpen
                                                : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!m_offered.isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        const QUrl offered = QUrl::fromLocalFile(m_offered);
        if (!places.contains(offered)) places << offered;
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().front();
    if (path.isEmpty()) return std::nullopt;
    m_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

QString DialogStartPath(const QString& defaultName, const QString& lastFolder)
{
    if (defaultName.isEmpty()) return lastFolder;
    if (QFileInfo(defaultName).isAbsolute()) return defaultName;
    return QDir(lastFolder).absoluteFilePath(defaultName);
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
