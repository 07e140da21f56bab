#pragma once
// The Quick Help pattern of every window that has one: a hidden read-only text box and a button
// whose caption is the panel's state, "Quick &Help" while closed and "Close &Help" while open.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QPlainTextEdit;

namespace ui {

class Dialogs;

class QuickHelpPanel final : public QObject {
    Q_OBJECT
public:
    enum class Keys {
        Beep,   // every typed character (Enter and Backspace included) is dropped with a beep
        Silent, // every typed character is dropped silently
        Plain,  // read-only box without key handling of its own
    };
    // Keys that only move within the text (arrows, page keys, Home, End), Tab and shortcuts
    // such as the buttons' access keys always work.
    static const QString OpenCaption;  // "Quick &Help"
    static const QString CloseCaption; // "Close &Help"

    // Joins paragraphs with an empty line between them and nothing after the last.
    static QString JoinParagraphs(const QStringList& paragraphs);

    QuickHelpPanel(QAbstractButton* button, QPlainTextEdit* box, Keys keys, Dialogs* dialogs,
                   bool takeFocus = true);

    // The help text, CR LF line ends as the window composes it. An open panel shows it at once.
    void setText(const QString& text);
    QString text() const { return m_text; }
    bool isOpen() const;
    // Opens a closed panel (the box shows the text from its top and, unless switched off, takes
    // the focus) or closes an open one.
    void toggle();
    // Closes the panel if it is open, before a main action proceeds. The focus, if it was in
    // the box, goes back to where it was before the panel opened.
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show();
    void hide();

    QAbstractButton* m_button;
    QPlainTextEdit* m_box;
    Keys m_keys;
    Dialogs* m_dialogs;
    bool m_takeFocus;
    QString m_text;
    QPointer<QWidget> m_focusBefore;
};

} // namespace ui
