#pragma once
// The real printer: a print preview of the pages, the platform's print dialog from there
// (printing to a PDF file included), and one
// renderer that lays a text document out in a fixed-pitch font, character cell by character
// cell, the way the program's printouts position their text.
#include "ui/Printer.h"

#include <QFont>
#include <QRectF>
#include <memory>

class QPagedPaintDevice;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace ui {

// How a text document sits on a sheet: the font, the size of one character cell and the area
// the text occupies, all in the device's units.
struct TextLayout {
    QFont font;
    double cellWidth = 0;
    double lineHeight = 0;
    QRectF area;
    int columns = 0; // the columns and lines the font was sized for
    int lines = 0;
};

// Columns every sheet must hold whatever the document: the widest printout runs to about 78.
constexpr int MinimumColumns = 80;

// Sizes a fixed-pitch font (at most 12 points) so that the document's widest line, and at least
// MinimumColumns, fit across the device's printable area and its longest page, and at least the
// page length the document was composed for, fit down it.
TextLayout LayOutText(const TextDocument& document, QPagedPaintDevice& device);

// Paints every page of the document (only the chosen page range when the printer has one).
// False when the device could not be painted on. A document without a single line sends
// nothing and counts as printed.
bool RenderText(const TextDocument& document, QPrinter& printer);
// Paints one page, handing the painter the printable area.
bool RenderPage(const PagePainter& paint, QPrinter& printer);

// The print preview for the keyboard: Ctrl+P prints, the usual keys zoom and turn the pages, and
// Tab reaches every button of its tool bar (Qt's own leaves them to the mouse).
void ReachByKeyboard(QPrintPreviewDialog& dialog);

// A whole printout painted onto a printer. The print preview and the printing call the same
// renderer, so the preview's pages are the printed pages.
using PrintoutRenderer = std::function<bool(QPrinter& printer)>;
PrintoutRenderer TextRenderer(const TextDocument& document);
PrintoutRenderer PageRenderer(const PagePainter& paint);
// What every printout starts from: half an inch all round (the user may change it).
void SetDefaultMargins(QPrinter& printer);

// The same renderers straight into a PDF file, without dialogs: for tests and for looking at
// printouts.
bool PrintTextToPdf(const TextDocument& document, const QString& path, const QString& jobName = {});
bool PrintPageToPdf(const PagePainter& paint, const QString& path, bool colour,
                    const QString& jobName = {});

// The file a printout to a file proposes after an earlier one went to `previous`: named after
// the printout's own title (characters a file name cannot hold become "_"), in the same folder.
QString PrintFileProposal(const QString& previous, const QString& jobName);
// The job's name as a printout's document name, which the print dialog proposes as a file name:
// the characters a file name cannot hold become "_".
QString PrintDocumentName(const QString& jobName);

class QtPrinter final : public Printer {
public:
    // The print dialog is shown over `dialogParent`, or over the active window when it is null.
    explicit QtPrinter(QWidget* dialogParent = nullptr);
    ~QtPrinter() override;

    bool printText(const TextDocument& document, const QString& jobName) override;
    bool printPage(const PagePainter& paint, const QString& jobName, bool colour) override;

private:
    // The print preview, whose Print button leads to the platform's print dialog and prints
    // what it shows. False when the user closed it without printing or nothing could be
    // painted.
    bool previewAndPrint(const PrintoutRenderer& render, const QString& jobName, bool colour);

    QWidget* m_dialogParent;
    // Kept between printouts, so the printer and options the user chose are offered again.
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace ui
