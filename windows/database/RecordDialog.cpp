#include "windows/database/RecordDialog.h"

#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/InputBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
namespace database {

RecordDialog::RecordDialog(ui::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("InRecNum"));
    setWindowTitle(QStringLiteral("Input"));
    setModal(true);

    QGroupBox* frame = buildOptions();
    buildRecordBox();
    QLayout* buttons = buildButtons();
    layOut(frame, buttons);
    setTabOrders();

    m_options[0]->setChecked(true);
    selectOption(entry::Option::Correct);
    m_options[0]->setFocus();
}

QGroupBox* RecordDialog::buildOptions()
{
    auto* frame = new QGroupBox(QStringLiteral(" Select Option"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame);
    const QString captions[3] = {QStringLiteral(" Correct"), QStringLiteral(" Insert"),
                                 QStringLiteral(" Delete")};
    for (int i = 0; i < 3; ++i) {
        m_options[i] = new QRadioButton(captions[i], frame);
        m_options[i]->setObjectName(QStringLiteral("CorInsDel%1").arg(i));
        m_options[i]->installEventFilter(this);
        frameLayout->addWidget(m_options[i]);
        const auto option = static_cast<entry::Option>(i + 1);
        connect(m_options[i], &QRadioButton::toggled, this, [this, option](bool on) {
            if (on) selectOption(option);
        });
    }
    return frame;
}

void RecordDialog::buildRecordBox()
{
    m_instruction = new QLabel(this);
    m_instruction->setObjectName(QStringLiteral("Label1"));
    m_instruction->setWordWrap(true);
    // Wide enough for the longest instruction on one line or two, never a narrow column.
    m_instruction->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 26);

    m_value = ui::MakeInputBox(QStringLiteral("CurVal"), m_dialogs,
                               {.keys = ui::KeyRule::Digits,
                                .maxLength = 4,
                                .widthSample = QStringLiteral("00000"),
                                .widthMargin = 16},
                               this);
    // The box is read by the instruction above it, whatever the instruction says at the time.
    m_instruction->setBuddy(m_value);
}

QLayout* RecordDialog::buildButtons()
{
    // Enter is the boxes' own business (it moves on or presses OK), never a default button.
    m_accept = ui::NamedButton(QStringLiteral("Accept"), QStringLiteral("&OK"), this);
    m_cancel = ui::NamedButton(QStringLiteral("NoAccept"), QStringLiteral("&Cancel"), this);
    m_value->setNext(m_accept);
    connect(m_accept, &QPushButton::clicked, this, &RecordDialog::acceptChoice);
    connect(m_cancel, &QPushButton::clicked, this, &RecordDialog::cancelChoice);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_accept);
    buttons->addWidget(m_cancel);
    return buttons;
}

void RecordDialog::layOut(QGroupBox* frame, QLayout* buttons)
{
    auto* right = new QVBoxLayout;
    right->addWidget(m_instruction);
    right->addWidget(m_value, 0, Qt::AlignLeft);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(frame);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RecordDialog::setTabOrders()
{
    setTabOrder(m_options[0], m_options[1]);
    setTabOrder(m_options[1], m_options[2]);
    setTabOrder(m_options[2], m_value);
    setTabOrder(m_value, m_accept);
    setTabOrder(m_accept, m_cancel);
}

QString RecordDialog::Instruction(entry::Option option)
{
    switch (option) {
    case entry::Option::Correct:
        return QStringLiteral(" Type in the record          number to correct.");
    case entry::Option::Insert:
        return QStringLiteral(" Type in 1. Automatic       insertion by date.");
    case entry::Option::Delete:
        return QStringLiteral(" Type in the record          number to delete.");
    case entry::Option::None:
        break;
    }
    return {};
}

void RecordDialog::selectOption(entry::Option option)
{
    m_option = option;
    m_instruction->setText(Instruction(option));
    m_value->setAccessibleName(ui::SpokenText(m_instruction->text()));
}

void RecordDialog::acceptChoice()
{
    m_choice = entry::ChooseRecord(m_option, m_value->text());
    if (m_choice.option == entry::Option::None)
        QDialog::reject();
    else
        QDialog::accept();
}

void RecordDialog::cancelChoice()
{
    m_choice = {};
    QDialog::reject();
}

bool RecordDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (QRadioButton* option : m_options) {
            if (watched != option) continue;
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                m_value->setFocus(Qt::TabFocusReason);
                return true;
            }
            const QString t = key->text();
            if (!t.isEmpty() && t.at(0).isPrint()) {
                // The option buttons take digits (and do nothing with them); any other
                // character is refused with a beep.
                if (!(t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9'))) m_dialogs.beep();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace database
