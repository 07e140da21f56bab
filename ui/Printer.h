#pragma once
// The printer: one place that shows the platform's print dialog and sends a document to it.
#include "ui/TextPrinter.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;

namespace ui {

class Dialogs;

// "Continue with Printout." (title "Printer", Yes/No), asked before anything is printed.
bool ConfirmPrintout(Dialogs& dialogs);

// Paints one page into `page` (device pixels of the printer or of the screen).
using PagePainter = std::function<void(QPainter& painter, const QRectF& page)>;

class Printer {
public:
    virtual ~Printer() = default;
    // Shows the print dialog and prints the text document in a fixed-pitch font. False when
    // the user cancelled the dialog or no printer could be used.
    virtual bool printText(const TextDocument& document, const QString& jobName) = 0;
    // Shows the print dialog and prints one page painted by `paint` (a graph, a window image).
    virtual bool printPage(const PagePainter& paint, const QString& jobName, bool colour) = 0;
};

// Prints `lines`, one to a line, on pages of the printer's usual length, as the job `jobName`.
// The answer is the printer's: false when the dialog was cancelled or nothing could print.
bool PrintLines(Printer& printer, const QStringList& lines, const QString& jobName);

} // namespace ui
