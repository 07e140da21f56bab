#pragma once
// The program's printer: the real one (QtPrinter, over Qt Print Support) lives in the printing
// module, loaded by the first printout, so that a run that prints nothing never loads Qt Print
// Support.
#include "ui/Printer.h"

#include <memory>

namespace ui {

class ModulePrinter final : public Printer {
public:
    ModulePrinter();
    ~ModulePrinter() override;

    // As QtPrinter's; false, with the reason logged, when the printing module cannot be loaded.
    bool printText(const TextDocument& document, const QString& jobName) override;
    bool printPage(const PagePainter& paint, const QString& jobName, bool colour) override;

private:
    // The module's printer, made by the first call; null when the module cannot be loaded.
    Printer* printer();

    std::unique_ptr<Printer> m_printer;
};

// The module's entry point, TallimoMakePrinter: a new QtPrinter over the active window.
using MakePrinter = Printer* (*)();
inline constexpr char MakePrinterSymbol[] = "TallimoMakePrinter";

} // namespace ui
