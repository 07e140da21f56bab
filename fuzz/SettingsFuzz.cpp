// Feeds arbitrary bytes to the "Personal.Lot" reader: it must never crash or hang, and the
// settings it gives are always within their ranges, whatever the file held.
#include "models/settings/SettingsFile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const app::SettingsReadResult read = app::ParseSettings(bytes);
    const core::PersonalSettings& s = read.settings;
    if (s.DefaultPicks < 1 || s.DefaultPicks > 10 || s.DefaultHighNumber < 1 ||
        s.DefaultHighNumber > 60 || s.EntryForms < 1 || s.EntryForms > 10 ||
        s.CurrencySymbol.isEmpty())
        std::abort();
    // What is written reads back as the same settings.
    const app::SettingsReadResult again = app::ParseSettings(app::SerializeSettings(s));
    if (again.settings.DefaultPicks != s.DefaultPicks ||
        again.settings.EntryForms != s.EntryForms ||
        again.settings.DefaultHighNumber != s.DefaultHighNumber)
        std::abort();
    return 0;
}
