#include "ui/QuickHelpPanel.h"

#include "ui/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace ui {

const QString QuickHelpPanel::OpenCaption = QStringLiteral("Quick &Help");
const QString QuickHelpPanel::CloseCaption = QStringLiteral("Close &Help");

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

bool QuickHelpPanel::isOpen() const
{
    return m_button->text() == CloseCaption;
}

void QuickHelpPanel::toggle()
{
    if (!isOpen()) {
        m_button->setText(CloseCaption);
        m_box->show();
        m_box->raise();
        // The box shows CR LF pairs as single line breaks.
        QString shown = m_text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m_box->setPlainText(shown);
        if (m_takeFocus)
            m_box->setFocus(Qt::OtherFocusReason);
    } else {
        m_button->setText(OpenCaption);
        m_box->hide();
    }
}

void QuickHelpPanel::close()
{
    if (isOpen()) {
        m_button->setText(OpenCaption);
        m_box->hide();
    }
}

bool QuickHelpPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress && m_keys != Keys::Plain) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString t = key->text();
        if (!t.isEmpty() && t.at(0).isPrint()) {
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
