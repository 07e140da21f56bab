#include "ui/Accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QLineEdit>

#include <QLabel>
#include <QWidget>

namespace ui {

QString SpokenText(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" is a shown ampersand; a single one marks the access key.
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        text += caption.at(i);
    }
    return text.simplified();
}

void SetAccessibleText(QWidget* control, const QString& name, const QString& description)
{
    if (!control) return;
    control->setAccessibleName(SpokenText(name));
    if (!description.isEmpty()) control->setAccessibleDescription(description);
}

void LabelFor(QLabel* label, QWidget* box)
{
    if (!label || !box) return;
    label->setBuddy(box);
    box->setAccessibleName(SpokenText(label->text()));
}

void NameRow(const QString& label, const std::vector<QWidget*>& boxes,
             const std::vector<QString>& what)
{
    const QString spoken = SpokenText(label);
    for (size_t i = 0; i < boxes.size() && i < what.size(); ++i)
        if (boxes[i]) boxes[i]->setAccessibleName(spoken + QStringLiteral(", ") + what[i]);
}

void SetAccessibleTextWithin(QWidget* control, const QString& name, const QString& description)
{
    SetAccessibleText(control, name, description);
    for (QLineEdit* inner : control->findChildren<QLineEdit*>())
        SetAccessibleText(inner, name, description);
}

namespace {

QAccessibleInterface* WindowRole(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow() || qobject_cast<QDialog*>(widget) ||
        widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip ||
        widget->inherits("QMenu"))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void InstallWindowRoles()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(WindowRole);
}

} // namespace ui
