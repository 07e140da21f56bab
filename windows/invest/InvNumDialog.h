#pragma once
// "InInvNum": the small dialog that asks for a line number. Digits only; Enter in the box moves
// to "&OK" rather than pressing it.
#include <QDialog>

class QLabel;
class QPushButton;

namespace ui {
class Dialogs;
class InputBox;
} // namespace ui

namespace inv {

class InvNumDialog final : public QDialog {
    Q_OBJECT
public:
    InvNumDialog(const QString& prompt, ui::Dialogs& dialogs, QWidget* parent = nullptr);

    // The text confirmed with "&OK"; empty after "&Cancel" or closing the dialog.
    QString answer() const { return m_answer; }

private:
    QLabel* m_prompt;
    ui::InputBox* m_numberBox;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_answer;
};

} // namespace inv
