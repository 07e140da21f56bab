#include "ui/QuickHelpPanel.h"

#include "ui/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace ui {

const QString QuickHelpPanel::OpenCaption = QStringLiteral("Quick &Help");
const QString QuickHelpPanel::CloseCaption = QStringLiteral("Close &Help");

namespace {
// The box shows CR LF pairs as single line breaks.
QString Shown(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// A key that would type into the box: a printable character, or Enter, Backspace. Control
// combinations (copying) and keys that only move are left alone.
bool TypesCharacter(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
        return true;
    default:
        break;
    }
    const QString t = key->text();
    return !t.isEmpty() && t.at(0).isPrint();
}
} // namespace

QString QuickHelpPanel::JoinParagraphs(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

QuickHelpPanel::QuickHelpPanel(QAbstractButton* button, QPlainTextEdit* box, Keys keys,
                               Dialogs* dialogs, bool takeFocus)
    : QObject(button), m_button(button), m_box(box), m_keys(keys), m_dialogs(dialogs),
      m_takeFocus(takeFocus)
{
    m_button->setText(OpenCaption);
    m_box->hide();
    m_box->setReadOnly(true);
    m_box->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_box->installEventFilter(this);
}

void QuickHelpPanel::setText(const QString& text)
{
    m_text = text;
    if (isOpen()) m_box->setPlainText(Shown(m_text));
}

bool QuickHelpPanel::isOpen() const
{
    return m_button->text() == CloseCaption;
}

void QuickHelpPanel::toggle()
{
    if (isOpen())
        hide();
    else
        show();
}

void QuickHelpPanel::close()
{
    if (isOpen()) hide();
}

void QuickHelpPanel::show()
{
    m_focusBefore = QApplication::focusWidget();
    m_button->setText(CloseCaption);
    m_box->setPlainText(Shown(m_text));
    m_box->show();
    m_box->raise();
    if (m_takeFocus) m_box->setFocus(Qt::OtherFocusReason);
}

void QuickHelpPanel::hide()
{
    const bool hadFocus = m_box->hasFocus();
    m_button->setText(OpenCaption);
    m_box->hide();
    // Hiding the focused box would hand the focus to whatever control comes next; put it back
    // where the user was instead (normally the help button itself).
    if (hadFocus && m_focusBefore && m_focusBefore != m_box && m_focusBefore->isVisible() &&
        m_focusBefore->isEnabled())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
}

bool QuickHelpPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress && m_keys != Keys::Plain) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (TypesCharacter(key)) {
            if (m_keys == Keys::Beep) {
                if (m_dialogs)
                    m_dialogs->beep();
                else
                    QApplication::beep();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
