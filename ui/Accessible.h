#pragma once
// What a screen reader says for a control: its name is the caption or label the window shows
// beside it (never the control's name), its description says what it holds or accepts.
#include <QString>
#include <vector>

class QLabel;
class QWidget;

namespace ui {

// A caption as it is read aloud: without its access-key ampersand and its padding blanks.
QString SpokenText(const QString& caption);

// Sets the name (read aloud as SpokenText) and, when given, the description.
void SetAccessibleText(QWidget* control, const QString& name, const QString& description = {});

// The label names the box: it becomes the box's buddy (its access key moves the focus there)
// and the box is read by the label's text.
void LabelFor(QLabel* label, QWidget* box);

// Names a spin box or date box and the line edit inside it, which a reader also reaches.
void SetAccessibleTextWithin(QWidget* control, const QString& name, const QString& description);

// Makes every top-level window of the program read as a window (a plain QWidget window would
// otherwise read as a pane). Once, for the application.
void InstallWindowRoles();

// A row of boxes under one label: each is read as "<label>, <what>" ("New record, number 2").
void NameRow(const QString& label, const std::vector<QWidget*>& boxes,
             const std::vector<QString>& what);

} // namespace ui
