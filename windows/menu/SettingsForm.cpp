#include "windows/menu/SettingsForm.h"

#include "models/state/AppState.h"
#include "text/Format.h"
#include "ui/Accessible.h"
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
    : QDialog(parent), m_state(state), m_services(services), m_opened(state.settings)
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
    m_picksBox = ui::MakeInputBox(QStringLiteral("InNumChoices"), dialogs, number, this);
    m_highNumberBox = ui::MakeInputBox(QStringLiteral("InHiNum"), dialogs, number, this);
    m_entryFormsBox = ui::MakeInputBox(QStringLiteral("InNumLines"), dialogs, number, this);
    m_symbolBox = ui::MakeInputBox(QStringLiteral("InSy"), dialogs, symbol, this);
    m_nameBox =
        ui::MakeInputBox(QStringLiteral("InMyName"), dialogs, {.keys = ui::KeyRule::NoQuote}, this);
}

void SettingsForm::chainEnterKey()
{
    // Enter moves on; in the name box it only moves to the exit button, which a second Enter
    // then presses.
    m_picksBox->setNext(m_highNumberBox);
    m_highNumberBox->setNext(m_entryFormsBox);
    m_entryFormsBox->setNext(m_symbolBox);
    m_symbolBox->setNext(m_nameBox);
    connect(m_nameBox, &ui::InputBox::enterPressed, m_exit,
            [this] { m_exit->setFocus(Qt::TabFocusReason); });
}

void SettingsForm::showSettings()
{
    const core::PersonalSettings& s = m_state.settings;
    m_picksBox->setText(TwoWide(s.DefaultPicks));
    m_highNumberBox->setText(TwoWide(s.DefaultHighNumber));
    m_entryFormsBox->setText(TwoWide(s.EntryForms));
    m_symbolBox->setText(text::RightAlign(s.CurrencySymbol, 2));
    m_nameBox->setText(s.UserName);
}

void SettingsForm::connectLeaveRules()
{
    connect(m_picksBox, &ui::InputBox::left, this, [this] { leaveNumberBox(m_picksBox, 10); });
    connect(m_highNumberBox, &ui::InputBox::left, this,
            [this] { leaveNumberBox(m_highNumberBox, 60); });
    connect(m_entryFormsBox, &ui::InputBox::left, this,
            [this] { leaveNumberBox(m_entryFormsBox, 10); });
    connect(m_symbolBox, &ui::InputBox::left, this, &SettingsForm::leaveSymbolBox);
    connect(m_nameBox, &ui::InputBox::left, this, &SettingsForm::leaveNameBox);
    connect(m_exit, &QPushButton::clicked, this, &SettingsForm::exitForm);
}

QGridLayout* SettingsForm::layOutSmallBoxes()
{
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(12);
    const std::pair<const char*, ui::InputBox*> boxes[] = {
        {" Number of picks to select in the lottery", m_picksBox},
        {" Numbers in the lottery range from 1 to", m_highNumberBox},
        {" Number of entry forms being played", m_entryFormsBox},
        {" Currency symbol to use", m_symbolBox},
    };
    int row = 0;
    for (const auto& [label, box] : boxes) {
        QLabel* caption = Caption(QLatin1String(label), this);
        ui::LabelFor(caption, box);
        rows->addWidget(caption, row, 0);
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
    ui::LabelFor(nameLabel, m_nameBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addWidget(note, 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->addLayout(rows);
    layout->addSpacing(8);
    layout->addWidget(nameLabel);
    layout->addWidget(m_nameBox);
    layout->addSpacing(12);
    layout->addWidget(m_exit, 0, Qt::AlignHCenter);
    m_exit->setMinimumWidth(160);
    // Never narrower than the captions need, whatever the font.
    setMinimumWidth(std::max(380, layout->minimumSize().width()));
}

void SettingsForm::setTabOrderAndFocus()
{
    QWidget::setTabOrder(m_nameBox, m_picksBox);
    QWidget::setTabOrder(m_picksBox, m_highNumberBox);
    QWidget::setTabOrder(m_highNumberBox, m_entryFormsBox);
    QWidget::setTabOrder(m_entryFormsBox, m_symbolBox);
    QWidget::setTabOrder(m_symbolBox, m_exit);
    m_nameBox->setFocus();
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
        m_state.RetypeFlag.clear();
        return;
    }
    if (m_state.RetypeFlag.isSet()) {
        box->setText(TwoWide(value));
        m_state.RetypeFlag.clear();
    }
}

void SettingsForm::leaveSymbolBox()
{
    if (m_leaving) return;
    if (m_state.RetypeFlag.isSet()) {
        m_symbolBox->setText(text::RightAlign(m_symbolBox->text(), 2));
        m_state.RetypeFlag.clear();
    }
}

void SettingsForm::leaveNameBox()
{
    if (m_leaving) return;
    m_state.settings.UserName = m_nameBox->text();
    m_state.RetypeFlag.clear();
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
    core::PersonalSettings& s = m_state.settings;
    s.DefaultPicks = value(m_picksBox);
    s.DefaultHighNumber = value(m_highNumberBox);
    s.EntryForms = value(m_entryFormsBox);
    s.CurrencySymbol = m_symbolBox->text().trimmed();
    // Leaving the name box took the name already; taking it again covers a window that never
    // had the focus to lose.
    s.UserName = m_nameBox->text();
    Q_EMIT exitToMenu();
    QDialog::accept();
}

void SettingsForm::reject()
{
    // Escape and the close box leave without saving: the settings are as the form found them,
    // and only "E&xit to Menu" writes them.
    if (m_leaving) return;
    m_leaving = true;
    m_state.settings = m_opened;
    QDialog::reject();
}

} // namespace app
