#pragma once
#include <QString>

namespace core {

// The user's defaults, read from "Personal.Lot" at start-up and written by the settings form.
struct PersonalSettings {
    int DefaultPicks = 6;       // 1..10
    int DefaultHighNumber = 49; // 1..60
    int EntryForms = 1;         // 1..10
    QString CurrencySymbol = QStringLiteral("$");
    QString UserName;
};

} // namespace core
