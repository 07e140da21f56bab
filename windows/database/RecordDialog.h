#pragma once
// "Input" (InRecNum): the small modal dialog of "Correct &Record" that asks which operation to
// start (correct, insert or delete) and on which record.
#include "models/draws/RecordEntry.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;

namespace ui {
class Dialogs;
class InputBox;
} // namespace ui

namespace database {

class RecordDialog final : public QDialog {
    Q_OBJECT
public:
    explicit RecordDialog(ui::Dialogs& dialogs, QWidget* parent = nullptr);

    // The operation and record chosen; Option::None and record 0 after a cancel.
    entry::RecordChoice choice() const { return m_choice; }
    entry::Option selectedOption() const { return m_option; }

    // The instruction shown for each option.
    static QString Instruction(entry::Option option);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The parts of the dialog, built in this order.
    QGroupBox* buildOptions();
    void buildRecordBox();
    QLayout* buildButtons();
    void layOut(QGroupBox* frame, QLayout* buttons);
    void setTabOrders();

    void selectOption(entry::Option option);
    void acceptChoice();
    void cancelChoice();

    ui::Dialogs& m_dialogs;
    QRadioButton* m_options[3];
    QLabel* m_instruction;
    ui::InputBox* m_value;
    QPushButton* m_accept;
    QPushButton* m_cancel;
    entry::Option m_option = entry::Option::Correct;
    entry::RecordChoice m_choice;
};

} // namespace database
