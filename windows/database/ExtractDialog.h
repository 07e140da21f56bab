#pragma once
// "Extract" (modal): replaces the database in memory by the records between two record
// numbers. The caller shows the Database window when it closes.
#include <QDialog>

namespace core {
struct AppState;
}
class QGroupBox;
class QLayout;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class InputBox;
class QuickHelpPanel;
struct Services;
} // namespace ui

namespace database {

class ExtractDialog final : public QDialog {
    Q_OBJECT
public:
    ExtractDialog(core::AppState& state, ui::Services& services, QWidget* parent = nullptr);
    ~ExtractDialog() override;

    // The accepted values of the two boxes.
    int fromRecord() const { return m_from; }
    int toRecord() const { return m_to; }

    static QString HelpText();

private:
    // The parts of the dialog, built in this order.
    QGroupBox* buildRecordBoxes();
    QLayout* buildButtons();
    void buildHelp();
    void layOut(QGroupBox* frame, QLayout* buttons);
    void connectControls();
    void toggleHelp();

    // The boxes' leave checks: false when they refused the value.
    bool leaveLow();
    bool leaveHigh();
    void extractRecords();
    void showLow(int value);
    void showHigh(int value);

    core::AppState& m_state;
    ui::Services& m_services;
    ui::InputBox* m_low;
    ui::InputBox* m_high;
    QPushButton* m_extract;
    QPushButton* m_cancel;
    QPushButton* m_helpButton;
    QPlainTextEdit* m_helpBox;
    ui::QuickHelpPanel* m_help;
    QSize m_sizeBeforeHelp;
    int m_from = 1;
    int m_to = 0;
};

} // namespace database
