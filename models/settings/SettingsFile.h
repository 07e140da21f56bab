#pragma once
// "Personal.Lot": the user's defaults in one line of five comma-separated fields, CR LF ended.
#include "models/settings/PersonalSettings.h"
#include "text/Result.h"

#include <QByteArray>
#include <QString>

namespace app {

QString SettingsFileName(); // "Personal.Lot"

// The file holds one short line; anything larger is not a settings file and is not read.
constexpr qint64 MaxSettingsBytes = 64 * 1024;

struct SettingsReadResult {
    core::PersonalSettings settings;
    // All five fields were read. When false the three numbers hold their defaults, and the
    // symbol and name hold what was read before the failure.
    bool complete = false;
    // The menu shows the user's name (the file was read whole and the name is not empty).
    bool showName = false;
};

// Reads the five fields in file order, starting from `before` for anything not read, and
// applies the range checks: picks 1..10 (else 6), highest number 1..60 (else 49), entry forms
// 1..10 (else 1), and a symbol that is never empty (else "$"). Never fails loudly.
SettingsReadResult ParseSettings(const QByteArray& bytes,
                                 const core::PersonalSettings& before = {});
// As ParseSettings, for the file at `path`; a missing, unreadable or oversized file gives the
// defaults.
SettingsReadResult ReadSettingsFile(const QString& path, const core::PersonalSettings& before = {});

// `6,49,1,"$","Player"` followed by CR LF.
QByteArray SerializeSettings(const core::PersonalSettings& settings);
// Replaces the file atomically, creating its folder when needed; false if anything failed, and
// then any old file is left as it was, and the result carries the system's reason.
text::WriteResult WriteSettingsFile(const QString& path, const core::PersonalSettings& settings);

// Where the settings file is kept: in the program's folder, or, where that folder cannot be
// written (an installed copy), in the user's configuration folder.
QString SettingsFilePath(const QString& programDir, const QString& configDir);
// Where the settings are read from: the file SettingsFilePath names; or, while the user's
// configuration folder has none yet, the one in a read-only program folder.
QString SettingsReadPath(const QString& programDir, const QString& configDir);
// The same with the program folder's writability given (a test may say a folder is read-only
// even to root, who may write anywhere).
QString SettingsFilePath(const QString& programDir, const QString& configDir, bool programWritable);
QString SettingsReadPath(const QString& programDir, const QString& configDir, bool programWritable);

} // namespace app
