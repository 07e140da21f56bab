#include "models/settings/SettingsFile.h"

#include "text/AtomicFile.h"
#include "text/CsvTokenizer.h"
#include "text/FileRead.h"
#include "text/Format.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString SettingsFileName()
{
    return QStringLiteral("Personal.Lot");
}

namespace {

// A field that cannot be read ends the read; the caller treats everything after it as missing.
class FieldReader final {
public:
    explicit FieldReader(const QByteArray& bytes) : m_in(bytes) {}

    bool number(int& field)
    {
        const auto item = m_in.next();
        if (!item) return false;
        // An empty field reads as 0, which the range check then replaces.
        if (item->kind == text::CsvItem::Kind::Plain && item->text.isEmpty()) {
            field = 0;
            return true;
        }
        const auto value = item->integer();
        // The fields are 16-bit: anything wider is as unreadable as a word.
        if (!value || !text::FitsInt16(*value)) return false;
        field = static_cast<int>(*value);
        return true;
    }

    bool text(QString& field)
    {
        const auto item = m_in.next();
        if (!item) return false;
        field = item->kind == text::CsvItem::Kind::Date
                    ? QLatin1Char('#') + item->text + QLatin1Char('#')
                    : item->text;
        return true;
    }

private:
    text::CsvTokenizer m_in;
};

} // namespace

SettingsReadResult ParseSettings(const QByteArray& bytes, const core::PersonalSettings& before)
{
    SettingsReadResult r;
    core::PersonalSettings& s = r.settings;
    s = before;
    FieldReader in(bytes);
    r.complete = in.number(s.DefaultPicks) && in.number(s.DefaultHighNumber) &&
                 in.number(s.EntryForms) && in.text(s.CurrencySymbol) && in.text(s.UserName);

    const core::PersonalSettings defaults;
    if (r.complete) {
        r.showName = !s.UserName.isEmpty();
        if (s.DefaultPicks < 1 || s.DefaultPicks > 10) s.DefaultPicks = defaults.DefaultPicks;
        if (s.DefaultHighNumber < 1 || s.DefaultHighNumber > 60)
            s.DefaultHighNumber = defaults.DefaultHighNumber;
        if (s.EntryForms < 1 || s.EntryForms > 10) s.EntryForms = defaults.EntryForms;
    } else {
        // A short or damaged file gives the numeric defaults even where a value was read.
        s.DefaultPicks = defaults.DefaultPicks;
        s.DefaultHighNumber = defaults.DefaultHighNumber;
        s.EntryForms = defaults.EntryForms;
    }
    if (s.CurrencySymbol.isEmpty()) s.CurrencySymbol = defaults.CurrencySymbol;
    return r;
}

SettingsReadResult ReadSettingsFile(const QString& path, const core::PersonalSettings& before)
{
    // A missing, unreadable or oversized file reads as an empty one: every default.
    if (!QFileInfo(path).isFile()) return ParseSettings(QByteArray(), before);
    return ParseSettings(text::ReadCapped(path, MaxSettingsBytes).bytes, before);
}

QByteArray SerializeSettings(const core::PersonalSettings& s)
{
    return QByteArray::number(s.DefaultPicks) + ',' + QByteArray::number(s.DefaultHighNumber) +
           ',' + QByteArray::number(s.EntryForms) + ',' + text::QuoteItem(s.CurrencySymbol) + ',' +
           text::QuoteItem(s.UserName) + "\r\n";
}

text::WriteResult WriteSettingsFile(const QString& path, const core::PersonalSettings& settings)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return {false, QStringLiteral("cannot create the folder %1").arg(info.absolutePath())};
    return text::WriteFileAtomically(path, SerializeSettings(settings));
}

namespace {
bool WritableFolder(const QString& dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}
} // namespace

QString SettingsFilePath(const QString& programDir, const QString& configDir)
{
    return SettingsFilePath(programDir, configDir, WritableFolder(programDir));
}

QString SettingsReadPath(const QString& programDir, const QString& configDir)
{
    return SettingsReadPath(programDir, configDir, WritableFolder(programDir));
}

QString SettingsFilePath(const QString& programDir, const QString& configDir, bool programWritable)
{
    if (programWritable || configDir.isEmpty())
        return QDir(programDir).filePath(SettingsFileName());
    return QDir(configDir).filePath(SettingsFileName());
}

QString SettingsReadPath(const QString& programDir, const QString& configDir, bool programWritable)
{
    const QString kept = SettingsFilePath(programDir, configDir, programWritable);
    const QString beside = QDir(programDir).filePath(SettingsFileName());
    if (kept != beside && !QFileInfo(kept).isFile() && QFileInfo(beside).isFile()) return beside;
    return kept;
}

} // namespace app
