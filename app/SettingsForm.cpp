#include "app/SettingsForm.h"

#include "core/AppState.h"
#include "text/Format.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"
#include "ui/Services.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

namespace {

QString TwoWide(long long value)
{
    return text::RightAlign(QString::number(value), 2);
}

QLabel* Caption(const QString& textValue, QWidget* parent)
{
    auto* label = new QLabel(textValue, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

SettingsForm::SettingsForm(core::AppState& state, ui::Services& services, QWidget* parent)
    : QDialog(parent), m_state(state), m_services(services)
{
    setObjectName(QStringLiteral("ChangeFnt"));
    setWindowTitle(QStringLiteral("Personalize"));
    setModal(true);

    QLabel* note = makeNote();
    makeBoxes();
    m_exit = ui::NamedButton(QStringLiteral("ExitFonts"), QStringLiteral("E&xit to Menu"), this,
                             ui::EnterPresses::Yes);
    m_exit->setDefault(false);
    chainEnterKey();
    showSettings();
    connectLeaveRules();
    layOutForm(note);
    setTabOrderAndFocus();
}

QLabel* SettingsForm::makeNote()
{
    auto* note = Caption(
        QStringLiteral(
            " Changes are saved to disk and remain in     effect at startup of the program."),
        this);
    note->setObjectName(QStringLiteral("NoteLabel"));
    note->setWordWrap(true);
    QFont noteFont = note->font();
    noteFont.setBold(true);
    note->setFont(noteFont);
    // The run of blanks marks where the note breaks: as wide as its first line, the label
    // wraps there (blanks at a line's end take no room).
    note->setFixedWidth(QFontMetrics(noteFont).horizontalAdvance(
                            QStringLiteral(" Changes are saved to disk and remain in")) +
                        4);
    return note;
}

void SettingsForm::makeBoxes()
{
    // The small boxes hold two characters, their width leaving room for the frame; the first
    // key typed into one starts it afresh, as a click in it does.
    const ui::BoxRules number{.keys = ui::KeyRule::Digits,
                              .retypeFlag = &m_state.RetypeFlag,
                              .clearOnClick = true,
                              .widthSample = QStringLiteral("WWW")};
    ui::BoxRules symbol = number;
    symbol.keys = ui::KeyRule::NoQuote;
    ui::Dialogs& dialogs = m_services.dialogs;
    m_picks = ui::MakeInputBox(QStringLiteral("InNumChoices"), dialogs, number, this);
    m_high = ui::MakeInputBox(QStringLiteral("InHiNum"), dialogs, number, this);
    m_forms = ui::MakeInputBox(QStringLiteral("InNumLines"), dialogs, number, this);
    m_symbol = ui::MakeInputBox(QStringLiteral("InSy"), dialogs, symbol, this);
    m_name =
        ui::MakeInputBox(QStringLiteral("InMyName"), dialogs, {.keys = ui::KeyRule::NoQuote}, this);
}

void SettingsForm::chainEnterKey()
{
    // Enter moves on; in the name box it only moves to the exit button, which a second Enter
    // then presses.
    m_picks->setNext(m_high);
    m_high->setNext(m_forms);
    m_forms->setNext(m_symbol);
    m_symbol->setNext(m_name);
    connect(m_name, &ui::InputBox::enterPressed, m_exit,
            [this] { m_exit->setFocus(Qt::TabFocusReason); });
}

void SettingsForm::showSettings()
{
    const core::PersonalSettings& s = m_state.Settings;
    m_picks->setText(TwoWide(s.DefaultPicks));
    m_high->setText(TwoWide(s.DefaultHighNumber));
    m_forms->setText(TwoWide(s.EntryForms));
    m_symbol->setText(text::RightAlign(s.CurrencySymbol, 2));
    m_name->setText(s.UserName);
}

void SettingsForm::connectLeaveRules()
{
    connect(m_picks, &ui::InputBox::left, this, [this] { leaveNumberBox(m_picks, 10); });
    connect(m_high, &ui::InputBox::left, this, [this] { leaveNumberBox(m_high, 60); });
    connect(m_forms, &ui::InputBox::left, this, [this] { leaveNumberBox(m_forms, 10); });
    connect(m_symbol, &ui::InputBox::left, this, &SettingsForm::leaveSymbolBox);
    connect(m_name, &ui::InputBox::left, this, &SettingsForm::leaveNameBox);
    connect(m_exit, &QPushButton::clicked, this, &SettingsForm::exitForm);
}

QGridLayout* SettingsForm::layOutSmallBoxes()
{
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(12);
    const std::pair<const char*, ui::InputBox*> boxes[] = {
        {" Number of picks to select in the lottery", m_picks},
        {" Numbers in the lottery range from 1 to", m_high},
        {" Number of entry forms being played", m_forms},
        {" Currency symbol to use", m_symbol},
    };
    int row = 0;
    for (const auto& [label, box] : boxes) {
        QLabel* l = Caption(QLatin1String(label), this);
        l->setBuddy(box);
        rows->addWidget(l, row, 0);
        rows->addWidget(box, row, 1, Qt::AlignRight);
        ++row;
    }
    rows->setColumnStretch(0, 1);
    return rows;
}

void SettingsForm::layOutForm(QLabel* note)
{
    QGridLayout* rows = layOutSmallBoxes();
    QLabel* nameLabel = Caption(QStringLiteral(" Type in your name"), this);
    nameLabel->setBuddy(m_name);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addWidget(note, 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->addLayout(rows);
    layout->addSpacing(8);
    layout->addWidget(nameLabel);
    layout->addWidget(m_name);
    layout->addSpacing(12);
    layout->addWidget(m_exit, 0, Qt::AlignHCenter);
    m_exit->setMinimumWidth(160);
    // Never narrower than the captions need, whatever the font.
    setMinimumWidth(std::max(380, layout->minimumSize().width()));
}

void SettingsForm::setTabOrderAndFocus()
{
    QWidget::setTabOrder(m_name, m_picks);
    QWidget::setTabOrder(m_picks, m_high);
    QWidget::setTabOrder(m_high, m_forms);
    QWidget::setTabOrder(m_forms, m_symbol);
    QWidget::setTabOrder(m_symbol, m_exit);
    m_name->setFocus();
}

void SettingsForm::leaveNumberBox(ui::InputBox* box, int maximum)
{
    if (m_leaving) return;
    const long long value = text::IntValue(box->text());
    if (value < 1 || value > maximum) {
        m_services.dialogs.message(QStringLiteral("Help"), QStringLiteral(" Must be from 1 to ") +
                                                               QString::number(maximum));
        // The box takes the maximum, not its old value.
        box->setText(TwoWide(maximum));
        m_state.RetypeFlag = 0;
        return;
    }
    if (m_state.RetypeFlag == 1) {
        box->setText(TwoWide(value));
        m_state.RetypeFlag = 0;
    }
}

void SettingsForm::leaveSymbolBox()
{
    if (m_leaving) return;
    if (m_state.RetypeFlag == 1) {
        m_symbol->setText(text::RightAlign(m_symbol->text(), 2));
        m_state.RetypeFlag = 0;
    }
}

void SettingsForm::leaveNameBox()
{
    if (m_leaving) return;
    m_state.Settings.UserName = m_name->text();
    m_state.RetypeFlag = 0;
}

void SettingsForm::exitForm()
{
    if (m_leaving) return;
    // Escape and the close box come without a button press: the box being left runs its rules
    // here, as for the button. The number boxes correct a bad value to the maximum, which the
    // exit then saves, so their checks never hold the exit back.
    if (!ui::CommitFocusedBox(m_exit) || m_leaving) return;
    m_leaving = true;

    // The values are taken as the boxes show them; the boxes' own rules have checked them.
    auto value = [](const ui::InputBox* box) {
        return text::ClampToInt16(text::IntValue(box->text()));
    };
    core::PersonalSettings& s = m_state.Settings;
    s.DefaultPicks = value(m_picks);
    s.DefaultHighNumber = value(m_high);
    s.EntryForms = value(m_forms);
    s.CurrencySymbol = m_symbol->text().trimmed();
    // Leaving the name box took the name already; taking it again covers a window that never
    // had the focus to lose.
    s.UserName = m_name->text();
    Q_EMIT exitToMenu();
    QDialog::accept();
}

void SettingsForm::reject()
{
    exitForm();
}

} // namespace app
