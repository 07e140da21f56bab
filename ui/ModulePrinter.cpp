#include "ui/ModulePrinter.h"

#include "text/Module.h"

#include <QDebug>

namespace ui {

ModulePrinter::ModulePrinter() = default;

ModulePrinter::~ModulePrinter() = default;

Printer* ModulePrinter::printer()
{
    if (!m_printer) {
        static QString problem;
        static const auto make = reinterpret_cast<MakePrinter>(
            text::ModuleFunction(QStringLiteral(TALLIMO_PRINT_MODULE), MakePrinterSymbol, problem));
        if (!make) {
            qWarning().noquote() << QStringLiteral("printing is not available (%1)").arg(problem);
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
