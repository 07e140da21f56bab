#pragma once
// LotoMenu, the program's hub: twelve buttons in two columns with the exit centred below, the
// title above them, and under them which database is in memory and whose program this is.
#include <QWidget>

class QLabel;
class QPushButton;

namespace app {

class MainMenu final : public QWidget {
    Q_OBJECT
public:
    explicit MainMenu(QWidget* parent = nullptr);

    // The button of that control name ("LoadFile", "Exit1Butt", ...); nullptr for another name.
    QPushButton* button(const QString& name) const;

    // MyName: shows `name` when `show` is set, else hides the label.
    void setUserName(const QString& name, bool show);
    // InfoLabel: which database is in memory; hidden while the title is empty.
    void setDatabaseTitle(const QString& title);

    // Lets the next close through; until then closing the window asks for the exit instead.
    void allowClose() { m_closeAllowed = true; }

Q_SIGNALS:
    // The title bar's X (or the window manager's close): the program's exit command.
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* addButton(const QString& name, const QString& caption);
    QLabel* m_myName = nullptr;
    QLabel* m_info = nullptr;
    bool m_closeAllowed = false;
};

// LBlankForm: the empty backdrop behind the other windows for the whole run.
class BlankForm final : public QWidget {
    Q_OBJECT
public:
    explicit BlankForm(QWidget* parent = nullptr);
    void allowClose() { m_closeAllowed = true; }

Q_SIGNALS:
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_closeAllowed = false;
};

} // namespace app
