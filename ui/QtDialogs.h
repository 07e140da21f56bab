#pragma once
#include "ui/Dialogs.h"

class QWidget;

namespace ui {

// The real dialogs: QMessageBox, QFileDialog, QApplication::beep and the override cursor.
// The filter with each "*.ext" pattern also in upper case and capitalised.
QString AnyCaseFilter(const QString& filter);

class QtDialogs final : public Dialogs {
public:
    QtDialogs() = default;
    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    std::optional<QString> chooseFile(FileMode mode, const QString& filter,
                                      const QString& defaultName) override;
    void beep() override;
    void setBusy(bool busy) override;

private:
    int m_busyDepth = 0;
};

} // namespace ui
