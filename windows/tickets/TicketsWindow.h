#pragma once
// "Tickets": the tickets of the database in memory checked against its draws: the list of
// tickets with what each cost and won, the selected ticket's forms against every draw it
// played (results new since the window was last opened marked), the prize table, the totals
// with the honest expectation, posting into an investment sheet, and the printed statement.
#include "models/tickets/Tickets.h"
#include "ui/Once.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace core {
struct AppState;
}
namespace ui {
struct Services;
}

namespace tickets {

class TicketsWindow final : public QWidget {
    Q_OBJECT
public:
    TicketsWindow(core::AppState& state, ui::Services& services, QWidget* parent = nullptr);

    // Opens the new-ticket dialog with these forms (from Pick-a-Winner).
    void newTicket(const std::vector<std::vector<int>>& forms = {});
    const Check& check() const { return m_check; }

Q_SIGNALS:
    // The tickets changed: the receiver writes them beside the database.
    void ticketsChanged();
    void exitToMenu();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildButtons();
    // What a screen reader says the tables hold.
    void describeControls();
    void connectButtons();
    // Checks the tickets again and shows everything.
    void refresh();
    void showTickets();
    void showResults();
    void showPrizes();
    void showTotals();
    int selectedTicket() const; // 0-based; -1 for none

    void editTicket();
    void deleteTicket();
    void readFormsFile();
    void setPrize();
    void typeAmountWon();
    void post();
    void postRange(const QDate& from, const QDate& to);
    void print();
    void changed();

    core::AppState& m_state;
    ui::Services& m_services;
    Check m_check;
    // The result rows of the selected ticket: the draw and the form (both 0-based) of each.
    std::vector<std::pair<int, int>> m_resultRows;

    QLabel* m_problem = nullptr;
    QTableWidget* m_list = nullptr;
    QTableWidget* m_results = nullptr;
    QTableWidget* m_prizes = nullptr;
    QLabel* m_totals = nullptr;
    QLabel* m_honest = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_formsFile = nullptr;
    QPushButton* m_amountWon = nullptr;
    QPushButton* m_setPrize = nullptr;
    QPushButton* m_post = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exit = nullptr;
    ui::Once m_exited;
};

} // namespace tickets
