// The Pick-a-Winner window's odds line: the odds of the forms in the grid against one draw.
#include "models/odds/Odds.h"
#include "models/state/AppState.h"
#include "windows/picks/PickWindow.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace picks {

std::vector<std::vector<int>> PickWindow::shownForms() const
{
    std::vector<std::vector<int>> forms;
    for (int r = 1; r <= m_session.EntryFormCount; ++r) {
        std::vector<int> form;
        for (int c = 1; c <= m_session.PickCount; ++c)
            if (const int n = m_session.PickGrid.at(r, c); n != 0) form.push_back(n);
        std::sort(form.begin(), form.end());
        if (!form.empty()) forms.push_back(std::move(form));
    }
    return forms;
}

std::vector<int> PickWindow::poolNumbers() const
{
    const database::DrawDatabase& db = m_state.database;
    const std::optional<PreparedPool> prepared =
        PreparePool(m_session.SourceOption, m_session.LotteryHigh, db.recordCount(), m_state.stats,
                    db.highNumber());
    std::vector<int> numbers;
    if (prepared)
        for (int i = 1; i <= prepared->pool.size; ++i)
            numbers.push_back(prepared->pool.numbers[static_cast<size_t>(i)]);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void PickWindow::showOdds()
{
    // A third plays the database's lottery, whose draws may hold more numbers than a form when
    // fewer picks are allowed; otherwise the setup boxes describe the lottery.
    const database::DrawDatabase& db = m_state.database;
    const bool third = IsThird(m_session.SourceOption);
    const int high = third ? db.highNumber() : m_session.LotteryHigh;
    const int drawn =
        third ? std::max(db.picksPerDraw(), m_session.PickCount) : m_session.PickCount;
    const std::vector<odds::Form> forms = shownForms();
    m_play->setEnabled(!forms.empty());
    const odds::SetOdds result = odds::SetOfFormsOdds(forms, high, drawn);
    m_oddsText->setText(odds::SetOddsText(result, high, drawn));
    // The whole text shown, however many lines it takes at the window's width: a longer text
    // makes the window taller, so nothing above it moves.
    const int need = m_oddsText->heightForWidth(m_oddsText->width());
    if (need > m_oddsText->minimumHeight()) {
        const int extra = need - m_oddsText->minimumHeight();
        m_oddsText->setMinimumHeight(need);
        resize(width(), height() + extra);
    }
}

} // namespace picks
