#pragma once
// The hint shown when a command that needs records is asked for while the database is empty.
#include "ui/Dialogs.h"

#include <QString>
#include <QStringList>

inline QString NoRecordsHelpText()
{
    return QStringList{
        QStringLiteral(" No records to work with. Either start a new Database in"),
        QStringLiteral(" 'View and Edit Database' or 'Open a File from Disk'."),
        QStringLiteral(" Open the Sample.Lto file to learn and use all the features. "),
        QStringLiteral(" Or US Powerball: USPballW.Lto and USPballR.Lto"),
        QStringLiteral(" Be sure to read 'How to Use the Program' for full details."),
    }
        .join(QStringLiteral("\r\n"));
}

inline void ShowNoRecordsHelp(ui::Dialogs& dialogs)
{
    dialogs.message(QStringLiteral("Help"), NoRecordsHelpText());
}
