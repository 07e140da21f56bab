#pragma once
// Every message box, question, file dialog, beep and busy pointer of the program goes through
// this interface, so that tests can script the answers and read back the exact texts.
#include <QString>
#include <optional>

namespace ui {

enum class FileMode { Open, Save };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with an OK button.
    virtual void message(const QString& title, const QString& text) = 0;
    // A modal Yes/No box; true for Yes.
    virtual bool ask(const QString& title, const QString& text) = 0;
    // The common file dialog. `filter` is "Description (*.ext)"; the result is a full path, or
    // nothing when the user cancelled or the dialog failed.
    virtual std::optional<QString> chooseFile(FileMode mode, const QString& filter,
                                              const QString& defaultName) = 0;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
};

// Shows the busy pointer for the life of the object.
class BusyPointer final {
public:
    explicit BusyPointer(Dialogs& d) : m_d(d) { m_d.setBusy(true); }
    ~BusyPointer() { m_d.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Dialogs& m_d;
};

} // namespace ui
