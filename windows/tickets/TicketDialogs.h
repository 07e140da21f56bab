#pragma once
// The small dialogs of the tickets: a ticket typed or corrected, a prize tier set, and the
// amount a prize that varies paid. Each checks what was typed when OK is pressed and stays open
// with the reason until it is right.
#include "models/tickets/Tickets.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QComboBox;

namespace ui {
class Dialogs;
}

namespace tickets {

class TicketDialog final : public QDialog {
    Q_OBJECT
public:
    // `ticket` is shown to be corrected (a new one: its forms, if any, and the proposed date).
    TicketDialog(const Ticket& ticket, int picks, int high, ui::Dialogs& dialogs, QWidget* parent);
    const Ticket& ticket() const { return m_ticket; }

    void accept() override;

private:
    int m_picks;
    int m_high;
    ui::Dialogs& m_dialogs;
    Ticket m_ticket;
    QPlainTextEdit* m_forms = nullptr;
    QLineEdit* m_first = nullptr;
    QSpinBox* m_draws = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_label = nullptr;
};

// One tier of the prize table: nothing, a fixed amount, or "varies".
class PrizeDialog final : public QDialog {
    Q_OBJECT
public:
    PrizeDialog(int matches, int picks, const Prize& prize, ui::Dialogs& dialogs, QWidget* parent);
    const Prize& prize() const { return m_prize; }
    void accept() override;

private:
    ui::Dialogs& m_dialogs;
    Prize m_prize;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_amount = nullptr;
};

// The draw dates to post: from and to, both included.
class RangeDialog final : public QDialog {
    Q_OBJECT
public:
    RangeDialog(const QDate& from, const QDate& to, ui::Dialogs& dialogs, QWidget* parent);
    QDate from() const { return m_from; }
    QDate to() const { return m_to; }
    void accept() override;

private:
    ui::Dialogs& m_dialogs;
    QDate m_from, m_to;
    QLineEdit* m_fromBox = nullptr;
    QLineEdit* m_toBox = nullptr;
};

// An amount typed: a prize that varies.
class AmountDialog final : public QDialog {
    Q_OBJECT
public:
    AmountDialog(const QString& title, const QString& question, ui::Dialogs& dialogs,
                 QWidget* parent);
    Cents amount() const { return m_amount; }
    void accept() override;

private:
    ui::Dialogs& m_dialogs;
    Cents m_amount = 0;
    QLineEdit* m_box = nullptr;
};

} // namespace tickets
