#pragma once
// LotoMenu, the program's hub: twelve buttons in two columns with the exit centred below, the
// title above them, and under them which database is in memory and whose program this is.
#include <QWidget>

class QGridLayout;
class QLabel;
class QPushButton;

namespace app {

// A window that lasts the whole run: closing it from the title bar's X (or by the window
// manager) asks for the program's exit instead, until the exit lets the close through.
class LastingWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Lets the next close through; until then closing the window asks for the exit instead.
    void allowClose() { m_closeAllowed = true; }

Q_SIGNALS:
    // The title bar's X (or the window manager's close): the program's exit command.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_closeAllowed = false;
};

class MainMenu final : public LastingWindow {
    Q_OBJECT
public:
    explicit MainMenu(QWidget* parent = nullptr);

    // The button of that control name ("LoadFile", "Exit1Butt", ...); nullptr for another name.
    QPushButton* button(const QString& name) const;

    // MyName: shows `name` when `show` is set, else hides the label.
    void setUserName(const QString& name, bool show);
    // InfoLabel: which database is in memory; hidden while the title is empty.
    void setDatabaseTitle(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The program's name in large dark blue serif letters.
    QLabel* makeTitle();
    // The two columns of buttons; appends them to `order`, down the left column first.
    QGridLayout* makeButtonColumns(QList<QWidget*>& order);
    // The title, the buttons, the exit centred below them, and the rooms of the two labels.
    void layOutMenu(QLabel* title, QGridLayout* buttonColumns, QPushButton* exit);
    QPushButton* addButton(const QString& name, const QString& caption);
    QLabel* m_userNameLabel = nullptr;
    QLabel* m_databaseLabel = nullptr;
};

// LBlankForm: the empty backdrop behind the other windows for the whole run.
class BlankForm final : public LastingWindow {
    Q_OBJECT
public:
    explicit BlankForm(QWidget* parent = nullptr);
};

} // namespace app
