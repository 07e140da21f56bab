#pragma once
#include "ui/Dialogs.h"

class QWidget;

namespace ui {

// The real dialogs: QMessageBox, QFileDialog, QApplication::beep and the override cursor.
// The filter with each "*.ext" pattern also in upper case and capitalised.
QString AnyCaseFilter(const QString& filter);
// Where a file dialog starts: a full path as given; a bare name (or nothing) in `lastFolder`.
QString DialogStartPath(const QString& defaultName, const QString& lastFolder);

class QtDialogs final : public Dialogs {
public:
    QtDialogs() = default;
    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    std::optional<QString> chooseFile(FileMode mode, const QString& filter,
                                      const QString& defaultName) override;
    void beep() override;
    void setBusy(bool busy) override;

    // A folder offered in every file dialog: among its places, and as the folder the first
    // Open dialog of a run starts in (a desktop's own dialog, GTK's among them, may ignore the
    // places, but never the starting folder). The installed samples' folder.
    void offerFolder(const QString& dir) { m_offered = dir; }

private:
    int m_busyDepth = 0;
    QString m_offered;
    // The folder of the file last chosen; the program's folder until then.
    QString m_lastFolder;
};

} // namespace ui
