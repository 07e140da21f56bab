// The printing module: the real printer, over Qt Print Support, made for ui::ModulePrinter when
// the program first prints.
#include "ui/ModulePrinter.h"
#include "ui/QtPrinter.h"

extern "C" Q_DECL_EXPORT ui::Printer* TallimoMakePrinter()
{
    return new ui::QtPrinter();
}
