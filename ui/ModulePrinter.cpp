#include "ui/ModulePrinter.h"

#include "text/Module.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace ui {

ModulePrinter::ModulePrinter() : ModulePrinter(QStringLiteral(TALLIMO_PRINT_MODULE)) {}

ModulePrinter::ModulePrinter(QString module) : m_module(std::move(module)) {}

ModulePrinter::~ModulePrinter() = default;

Printer* ModulePrinter::printer()
{
    if (!m_printer) {
        QString problem;
        const auto make = reinterpret_cast<MakePrinter>(
            text::ModuleFunction(m_module, MakePrinterSymbol, problem));
        if (!make) {
            // Said, not only logged: the user asked for a printout and none comes.
            QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Tallimo Win9"),
                                 QStringLiteral("Printing is not available: %1.").arg(problem));
            return nullptr;
        }
        m_printer.reset(make());
    }
    return m_printer.get();
}

bool ModulePrinter::printText(const TextDocument& document, const QString& jobName)
{
    Printer* real = printer();
    return real != nullptr && real->printText(document, jobName);
}

bool ModulePrinter::printPage(const PagePainter& paint, const QString& jobName, bool colour)
{
    Printer* real = printer();
    return real != nullptr && real->printPage(paint, jobName, colour);
}

} // namespace ui
