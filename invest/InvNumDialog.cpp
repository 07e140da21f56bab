#include "invest/InvNumDialog.h"

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
    : QDialog(parent), m_label(new QLabel(prompt, this)),
      m_value(ui::MakeInputBox(QStringLiteral("CurVal"), dialogs,
                               {.keys = ui::KeyRule::Digits, .maxLength = 9}, this)),
      m_accept(ui::NamedButton(QStringLiteral("Accept"), QStringLiteral("&OK"), this,
                               ui::EnterPresses::Yes)),
      m_cancel(ui::NamedButton(QStringLiteral("NoAccept"), QStringLiteral("&Cancel"), this,
                               ui::EnterPresses::Yes))
{
    setObjectName(QStringLiteral("InInvNum"));
    setWindowTitle(QStringLiteral("Input "));
    setModal(true);

    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setWordWrap(true);
    m_label->setBuddy(m_value); // the box is read by the prompt above it
    m_value->keyHook = [this](QKeyEvent* event) {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
        m_accept->setFocus(Qt::TabFocusReason);
        return true;
    };
    // Enter in the box only moves to "&OK"; the dialog has no default button of its own.

    connect(m_accept, &QPushButton::clicked, this, [this] {
        m_answer = m_value->text();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_answer.clear();
        reject();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_accept);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label, 0, Qt::AlignLeft);
    layout->addWidget(m_value);
    layout->addLayout(buttons);
    // The prompt breaks after "Insert a blank line", its number on the second line.
    const QFontMetrics fm = m_label->fontMetrics();
    m_label->setFixedWidth(std::max(fm.horizontalAdvance(QStringLiteral("   Insert a blank line")),
                                    fm.horizontalAdvance(QStringLiteral("at line number  105 ?"))) +
                           fm.averageCharWidth());
    setMinimumWidth(fm.averageCharWidth() * 36);
    setTabOrder(m_value, m_accept);
    setTabOrder(m_accept, m_cancel);
    m_value->setFocus(Qt::OtherFocusReason);
}

} // namespace inv
