#pragma once
// The program's printer: the real one (QtPrinter, over Qt Print Support) lives in the printing
// module, loaded by the first printout, so that a run that prints nothing never loads Qt Print
// Support.
#include "ui/Printer.h"

#include <QString>

#include <memory>

namespace ui {

class ModulePrinter final : public Printer {
public:
    ModulePrinter();
    // Over the module of file name `module`, found where the program's modules lie.
    explicit ModulePrinter(QString module);
    ~ModulePrinter() override;

    // As QtPrinter's; false, after a message that says why, when the printing module cannot be
    // loaded.
    bool printText(const TextDocument& document, const QString& jobName) override;
    bool printPage(const PagePainter& paint, const QString& jobName, bool colour) override;

private:
    // The module's printer, made by the first call; null when the module cannot be loaded.
    Printer* printer();

    QString m_module;
    std::unique_ptr<Printer> m_printer;
};

// The module's entry point, TallimoMakePrinter: a new QtPrinter over the active window.
using MakePrinter = Printer* (*)();
inline constexpr char MakePrinterSymbol[] = "TallimoMakePrinter";

} // namespace ui
