#pragma once
// ChangeFnt ("Personalize"): the user's defaults, edited in five boxes and kept when the form
// is left.
#include "models/settings/PersonalSettings.h"

#include <QDialog>

namespace core {
struct AppState;
}

namespace ui {
class InputBox;
struct Services;
} // namespace ui

class QGridLayout;
class QLabel;
class QPushButton;

namespace app {

class SettingsForm final : public QDialog {
    Q_OBJECT
public:
    SettingsForm(core::AppState& state, ui::Services& services, QWidget* parent = nullptr);

    // The leave rules of the boxes, run when a box loses the focus to another control.
    void leaveNumberBox(ui::InputBox* box, int maximum);
    void leaveSymbolBox();
    void leaveNameBox();

Q_SIGNALS:
    // The settings in the program-wide state hold the boxes' values; the caller writes the file
    // and shows the menu. Emitted once, by "E&xit to Menu", Escape or the title bar's X.
    void exitToMenu();

public Q_SLOTS:
    // The exit button: every way of leaving the form ends here.
    void exitForm();
    void reject() override;

private:
    // The bold note at the top, which breaks where its run of blanks is.
    QLabel* makeNote();
    // The five boxes with their key rules; the four small ones two characters wide.
    void makeBoxes();
    // Enter moves from box to box, and from the name box to the exit button.
    void chainEnterKey();
    // The settings in the boxes as the form shows them.
    void showSettings();
    void connectLeaveRules();
    // The four small boxes beside their captions.
    QGridLayout* layOutSmallBoxes();
    void layOutForm(QLabel* note);
    void setTabOrderAndFocus();
    core::AppState& m_state;
    ui::Services& m_services;
    ui::InputBox* m_picksBox = nullptr;
    ui::InputBox* m_highNumberBox = nullptr;
    ui::InputBox* m_entryFormsBox = nullptr;
    ui::InputBox* m_symbolBox = nullptr;
    ui::InputBox* m_nameBox = nullptr;
    QPushButton* m_exit = nullptr;
    bool m_leaving = false;
    core::PersonalSettings m_opened; // the settings when the form opened, for Escape
};

} // namespace app
