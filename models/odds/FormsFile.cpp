#include "models/odds/FormsFile.h"

#include "text/FileRead.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace odds {

namespace {

std::optional<int> WholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<std::vector<Form>> ParseForms(const QByteArray& bytes, int high, int picks,
                                            int maxFormSize, QString& reason)
{
    std::vector<Form> forms;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        const QStringList items = lines[i].split(separators, Qt::SkipEmptyParts);
        if (items.isEmpty()) continue;
        Form form;
        for (const QString& item : items) {
            const std::optional<int> n = WholeNumber(item);
            if (!n) {
                reason = where + QStringLiteral("\"%1\" is not a number").arg(item);
                return std::nullopt;
            }
            if (*n < 1 || *n > high) {
                reason = where + QStringLiteral("%1 is outside 1 to %2").arg(*n).arg(high);
                return std::nullopt;
            }
            if (std::find(form.begin(), form.end(), *n) != form.end()) {
                reason = where + QStringLiteral("%1 is on the form twice").arg(*n);
                return std::nullopt;
            }
            form.push_back(*n);
        }
        if (static_cast<int>(form.size()) > picks) {
            reason = where + QStringLiteral("%1 numbers on a form, more than the %2 drawn")
                                 .arg(form.size())
                                 .arg(picks);
            return std::nullopt;
        }
        if (static_cast<int>(form.size()) > maxFormSize) {
            reason = where + QStringLiteral("%1 numbers on a form, more than %2")
                                 .arg(form.size())
                                 .arg(maxFormSize);
            return std::nullopt;
        }
        forms.push_back(std::move(form));
    }
    if (forms.empty()) {
        reason = QStringLiteral("no forms in the file");
        return std::nullopt;
    }
    return forms;
}

std::optional<std::vector<Form>> ReadFormsFile(const QString& path, int high, int picks,
                                               int maxFormSize, QString& reason)
{
    // A file without a size (a device, a pipe) is read only up to the cap as well.
    const text::FileRead read = text::ReadCapped(path, MaxFormsFileBytes);
    switch (read.error) {
    case text::FileReadError::None:
        break;
    case text::FileReadError::TooLarge:
        reason = QStringLiteral("larger than 1 MB");
        return std::nullopt;
    case text::FileReadError::CannotOpen:
    case text::FileReadError::ReadFailed:
        reason = !QFileInfo::exists(path)
                     ? QStringLiteral("no such file")
                     : QStringLiteral("cannot be opened (%1)").arg(read.reason);
        return std::nullopt;
    }
    return ParseForms(read.bytes, high, picks, maxFormSize, reason);
}

} // namespace odds
