#include "windows/invest/InvNumDialog.h"

#include "ui/Accessible.h"
#include "ui/Buttons.h"
#include "ui/InputBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace inv {

InvNumDialog::InvNumDialog(const QString& prompt, ui::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_prompt(new QLabel(prompt, this)),
      m_numberBox(ui::MakeInputBox(QStringLiteral("CurVal"), dialogs,
                                   {.keys = ui::KeyRule::Digits, .maxLength = 9}, this)),
      m_ok(ui::NamedButton(QStringLiteral("Accept"), QStringLiteral("&OK"), this,
                           ui::EnterPresses::Yes)),
      m_cancel(ui::NamedButton(QStringLiteral("NoAccept"), QStringLiteral("&Cancel"), this,
                               ui::EnterPresses::Yes))
{
    setObjectName(QStringLiteral("InInvNum"));
    setWindowTitle(QStringLiteral("Input "));
    setModal(true);

    m_prompt->setObjectName(QStringLiteral("Label1"));
    m_prompt->setWordWrap(true);
    ui::LabelFor(m_prompt, m_numberBox); // the box is read by the prompt above it
    m_numberBox->keyHook = [this](QKeyEvent* event) {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
        m_ok->setFocus(Qt::TabFocusReason);
        return true;
    };
    // Enter in the box only moves to "&OK"; the dialog has no default button of its own.

    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_answer = m_numberBox->text();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_answer.clear();
        reject();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt, 0, Qt::AlignLeft);
    layout->addWidget(m_numberBox);
    layout->addLayout(buttons);
    // The prompt breaks after "Insert a blank line", its number on the second line.
    const QFontMetrics fm = m_prompt->fontMetrics();
    m_prompt->setFixedWidth(
        std::max(fm.horizontalAdvance(QStringLiteral("   Insert a blank line")),
                 fm.horizontalAdvance(QStringLiteral("at line number  105 ?"))) +
        fm.averageCharWidth());
    setMinimumWidth(fm.averageCharWidth() * 36);
    setTabOrder(m_numberBox, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_numberBox->setFocus(Qt::OtherFocusReason);
}

} // namespace inv
