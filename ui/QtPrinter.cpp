#include "ui/QtPrinter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double MaximumPointSize = 12.0;
constexpr double ReferencePointSize = 10.0;

// A typewriter face: the printouts line their columns up by character cells.
QFont FixedPitchFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("Noto Mono"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter, QFont::PreferOutline);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

// Half an inch all round, as a typewriter page would have; the user may change it in the
// dialog.
void SetDefaultMargins(QPrinter& printer)
{
    printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
}

namespace {

QRectF PrintableArea(QPagedPaintDevice& device)
{
    const QRect r = device.pageLayout().paintRectPixels(device.logicalDpiX());
    return QRectF(QPointF(0, 0), QSizeF(r.size()));
}

bool HasText(const TextDocument& document)
{
    return std::any_of(document.pages.begin(), document.pages.end(),
                       [](const QStringList& page) { return !page.isEmpty(); });
}

// Draws one line run by run: every stretch of non-blank characters starts exactly at its
// character cell, so columns stay true whatever the font's rounding.
void DrawLine(QPainter& painter, const TextLayout& layout, double baseline, const QString& line)
{
    int i = 0;
    const int n = static_cast<int>(line.size());
    while (i < n) {
        while (i < n && line.at(i) == QLatin1Char(' '))
            ++i;
        const int start = i;
        while (i < n && line.at(i) != QLatin1Char(' '))
            ++i;
        if (i > start)
            painter.drawText(QPointF(layout.area.left() + start * layout.cellWidth, baseline),
                             line.mid(start, i - start));
    }
}

} // namespace

TextLayout LayOutText(const TextDocument& document, QPagedPaintDevice& device)
{
    TextLayout layout;
    layout.area = PrintableArea(device);
    layout.columns = MinimumColumns;
    layout.lines = std::max(1, document.linesPerPage);
    for (const QStringList& page : document.pages) {
        layout.lines = std::max(layout.lines, static_cast<int>(page.size()));
        for (const QString& line : page)
            layout.columns = std::max(layout.columns, static_cast<int>(line.size()));
    }

    QFont font = FixedPitchFont();
    font.setPointSizeF(ReferencePointSize);
    const QFontMetricsF reference(font, &device);
    const double cell = reference.horizontalAdvance(QLatin1Char('M'));
    const double line = reference.lineSpacing();
    double size = MaximumPointSize;
    if (cell > 0 && line > 0) {
        const double across = layout.area.width() / (layout.columns * cell);
        const double down = layout.area.height() / (layout.lines * line);
        size = std::min(size, ReferencePointSize * std::min(across, down));
    }
    // Point sizes are kept to a tenth so the measured cell matches what is drawn.
    size = std::max(1.0, std::floor(size * 10.0) / 10.0);
    font.setPointSizeF(size);
    layout.font = font;
    const QFontMetricsF metrics(font, &device);
    layout.cellWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    layout.lineHeight = metrics.lineSpacing();
    return layout;
}

bool RenderText(const TextDocument& document, QPrinter& printer)
{
    if (!HasText(document)) return true;
    int first = 1;
    int last = static_cast<int>(document.pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    if (first > last) return true;

    const TextLayout layout = LayOutText(document, printer);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(layout.font);
    painter.setPen(Qt::black);
    const double ascent = QFontMetricsF(layout.font, &printer).ascent();
    for (int p = first; p <= last; ++p) {
        if (p > first && !printer.newPage()) {
            painter.end();
            return false;
        }
        const QStringList& lines = document.pages[static_cast<size_t>(p - 1)];
        for (int i = 0; i < static_cast<int>(lines.size()); ++i)
            DrawLine(painter, layout, layout.area.top() + i * layout.lineHeight + ascent,
                     lines.at(i));
    }
    return painter.end();
}

bool RenderPage(const PagePainter& paint, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    paint(painter, PrintableArea(printer));
    return painter.end();
}

bool PrintTextToPdf(const TextDocument& document, const QString& path, const QString& jobName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(PrintDocumentName(jobName));
    SetDefaultMargins(printer);
    return RenderText(document, printer);
}

bool PrintPageToPdf(const PagePainter& paint, const QString& path, bool colour,
                    const QString& jobName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(PrintDocumentName(jobName));
    printer.setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    SetDefaultMargins(printer);
    return RenderPage(paint, printer);
}

QString PrintDocumentName(const QString& jobName)
{
    QString name = jobName.trimmed();
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("print") : name;
}

QString PrintFileProposal(const QString& previous, const QString& jobName)
{
    return QFileInfo(previous).dir().filePath(PrintDocumentName(jobName) + QStringLiteral(".pdf"));
}

QtPrinter::QtPrinter(QWidget* dialogParent) : m_dialogParent(dialogParent) {}

QtPrinter::~QtPrinter() = default;

void ReachByKeyboard(QPrintPreviewDialog& dialog)
{
    const std::pair<const char*, QKeySequence> keys[] = {
        {"Print", QKeySequence::Print},
        {"Zoom in", QKeySequence::ZoomIn},
        {"Zoom out", QKeySequence::ZoomOut},
        {"Next page", QKeySequence(Qt::Key_PageDown)},
        {"Previous page", QKeySequence(Qt::Key_PageUp)},
        {"First page", QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {"Last page", QKeySequence(Qt::CTRL | Qt::Key_End)},
    };
    const QToolBar* bar = dialog.findChild<QToolBar*>();
    for (QAction* action : dialog.findChildren<QAction*>()) {
        for (const auto& [text, key] : keys) {
            if (action->text() != QLatin1String(text)) continue;
            action->setToolTip(action->text() + QStringLiteral(" (") +
                               key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
            // The preview zooms only when its tool buttons are clicked, not when their actions
            // are triggered, so the zoom keys click the buttons (Ctrl+= as well as Ctrl++, which
            // needs Shift on most keyboards).
            auto* button = bar ? qobject_cast<QToolButton*>(bar->widgetForAction(action)) : nullptr;
            if (key == QKeySequence(QKeySequence::ZoomIn) ||
                key == QKeySequence(QKeySequence::ZoomOut)) {
                if (button == nullptr) continue;
                QList<QKeySequence> sequences{key};
                if (key == QKeySequence(QKeySequence::ZoomIn))
                    sequences << QKeySequence(Qt::CTRL | Qt::Key_Equal);
                for (const QKeySequence& sequence : sequences) {
                    auto* shortcut = new QShortcut(sequence, &dialog);
                    QObject::connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
                }
                continue;
            }
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
    }
    for (QToolButton* button : dialog.findChildren<QToolButton*>())
        button->setFocusPolicy(Qt::TabFocus);
}

bool QtPrinter::previewAndPrint(const PrintoutRenderer& render, const QString& jobName, bool colour)
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetDefaultMargins(*m_printer);
    }
    // The print dialog proposes "<document name>.pdf" for a first printout to a file, so the
    // name holds no character a file name cannot ("Lotto 6/49" would name a folder).
    m_printer->setDocName(PrintDocumentName(jobName));
    // The printer is kept for the run, and with it the file the last printout went to: each
    // printout proposes a file of its own name.
    if (!m_printer->outputFileName().isEmpty())
        m_printer->setOutputFileName(PrintFileProposal(m_printer->outputFileName(), jobName));
    m_printer->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    m_printer->setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog dialog(m_printer.get(),
                               m_dialogParent ? m_dialogParent : QApplication::activeWindow());
    // Big enough for a readable page and for the whole tool bar, whose Print button would
    // otherwise hide behind the bar's overflow arrow.
    QSize size(0, 0);
    if (const QToolBar* bar = dialog.findChild<QToolBar*>())
        size.setWidth(bar->sizeHint().width() + 24);
    if (const QScreen* screen = dialog.screen()) {
        const QRect room = screen->availableGeometry();
        size.setHeight(room.height() * 4 / 5);
        size.setWidth(std::min(room.width(), std::max(size.width(), size.height() * 3 / 4)));
    }
    if (!size.isEmpty()) dialog.resize(size);
    ReachByKeyboard(dialog);
    // The preview paints its pages, and after the print dialog the printed pages, through the
    // same renderer.
    bool painted = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* printer) { painted = render(*printer); });
    if (dialog.exec() != QDialog::Accepted) return false;
    return painted && m_printer->isValid();
}

PrintoutRenderer TextRenderer(const TextDocument& document)
{
    return [document](QPrinter& printer) { return RenderText(document, printer); };
}

PrintoutRenderer PageRenderer(const PagePainter& paint)
{
    return [paint](QPrinter& printer) { return RenderPage(paint, printer); };
}

bool QtPrinter::printText(const TextDocument& document, const QString& jobName)
{
    return previewAndPrint(TextRenderer(document), jobName, false);
}

bool QtPrinter::printPage(const PagePainter& paint, const QString& jobName, bool colour)
{
    return previewAndPrint(PageRenderer(paint), jobName, colour);
}

} // namespace ui
