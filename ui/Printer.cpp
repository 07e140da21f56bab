#include "ui/Printer.h"

#include "ui/Dialogs.h"

namespace ui {

bool ConfirmPrintout(Dialogs& dialogs)
{
    return dialogs.ask(QStringLiteral("Printer"), QStringLiteral("Continue with Printout."));
}

bool PrintLines(Printer& printer, const QStringList& lines, const QString& jobName)
{
    TextPrinter text;
    for (const QString& line : lines) {
        text.print(line);
        text.endLine();
    }
    text.finish();
    return printer.printText(text.document(), jobName);
}

} // namespace ui
