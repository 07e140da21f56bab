#include "ui/Printer.h"

#include "ui/Dialogs.h"

namespace ui {

bool ConfirmPrintout(Dialogs& dialogs)
{
    return dialogs.ask(QStringLiteral("Printer"), QStringLiteral("Continue with Printout."));
}

} // namespace ui
