#pragma once
// The Wheel window, opened from Pick-a-Winner: the player's numbers (typed, or Pick-a-Winner's
// pool), the form size and the promise "m if t"; Generate searches a wheel on a worker thread
// with its progress and a Stop; the forms in a grid, the promise as verified, the size against
// the lower bound, the odds of the forms, a printout, and "Play these forms" into a ticket.
#include "models/wheel/WheelSearch.h"

#include <QDialog>

#include <memory>
#include <stop_token>
#include <thread>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace database {
class DrawDatabase;
}
namespace ui {
struct Services;
}

namespace wheel {

class WheelWindow final : public QDialog {
    Q_OBJECT
public:
    // `pool`: the numbers Pick-a-Winner would draw from; `formSize` its picks per form.
    WheelWindow(const database::DrawDatabase& db, std::vector<int> pool, int formSize,
                ui::Services& services, QWidget* parent = nullptr);
    ~WheelWindow() override;

    // The search's time budget (10 s for a player; tests give less).
    void setSeconds(double seconds) { m_seconds = seconds; }
    // What one form costs the player, in cents, when the tickets know it: the wheel's cost
    // is shown with its reading.
    void setFormPrice(std::optional<qint64> cents) { m_formPrice = cents; }
    const WheelResult* result() const { return m_result.get(); }
    // The forms found, as the player's numbers.
    std::vector<std::vector<int>> forms() const;

Q_SIGNALS:
    void playFormsRequested(const std::vector<std::vector<int>>& forms);

protected:
    void reject() override;

private:
    void buildControls();
    void layOut();
    void connectControls();
    void generate();
    void stop();
    void showProgress(const WheelProgress& progress);
    void showResult(const WheelResult& result);
    void print();
    // The result in words, with the wheel's cost when the price of a form is known.
    QString readingText() const;
    // The numbers typed: ascending, without repeats; nothing (and a message) when wrong.
    std::optional<std::vector<int>> typedNumbers();

    const database::DrawDatabase& m_db;
    std::vector<int> m_pool;
    ui::Services& m_services;
    double m_seconds = 10;
    std::optional<qint64> m_formPrice;
    std::vector<int> m_numbers; // of the wheel shown or being searched
    std::unique_ptr<WheelResult> m_result;
    std::jthread m_worker;

    QLineEdit* m_numbersBox = nullptr;
    QSpinBox* m_formSize = nullptr;
    QSpinBox* m_match = nullptr;
    QSpinBox* m_drawn = nullptr;
    QPushButton* m_usePool = nullptr;
    QPushButton* m_generate = nullptr;
    QPushButton* m_stop = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_progressText = nullptr;
    QTableWidget* m_forms = nullptr;
    QLabel* m_reading = nullptr;
    QLabel* m_odds = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace wheel
