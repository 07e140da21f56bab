#pragma once
// The Quick Help pattern of every window that has one: a hidden read-only text box and a button
// whose caption is the panel's state, "Quick &Help" while closed and "Close &Help" while open.
#include <QObject>
#include <QString>

class QAbstractButton;
class QPlainTextEdit;

namespace ui {

class Dialogs;

class QuickHelpPanel final : public QObject {
    Q_OBJECT
public:
    enum class Keys {
        Beep,   // every typed character is dropped with a beep
        Silent, // every typed character is dropped silently
        Plain,  // read-only box without key handling of its own
    };
    static const QString OpenCaption;   // "Quick &Help"
    static const QString CloseCaption;  // "Close &Help"

    // Joins paragraphs with an empty line between them and nothing after the last.
    static QString JoinParagraphs(const QStringList& paragraphs);

    QuickHelpPanel(QAbstractButton* button, QPlainTextEdit* box, Keys keys, Dialogs* dialogs,
                   bool takeFocus = true);

    void setText(const QString& text) { m_text = text; }
    bool isOpen() const;
    void toggle();
    // Closes the panel if it is open, before a main action proceeds.
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* m_button;
    QPlainTextEdit* m_box;
    Keys m_keys;
    Dialogs* m_dialogs;
    bool m_takeFocus;
    QString m_text;
};

} // namespace ui
