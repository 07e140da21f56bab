#pragma once
// The print preview shows exactly the printed pages: a printout's renderer is run once into a PDF
// (as printing to a file does) and once into the preview widget of the print preview, and the
// two must have the same number of pages and a first page that looks the same.
#include "ui/QtPrinter.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QImage>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace preview_check {

constexpr int CellsAcross = 20;
constexpr int CellsDown = 60;

// The page's darkness (0 white .. 1 black) in a grid of cells about a text line high: a
// comparison that ignores how the two rasterisers smooth their text (the same page differs by
// at most 0.045 in a cell) and still sees one line moved or missing (0.12 and more).
inline std::vector<double> Darkness(const QImage& page)
{
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    std::vector<double> cells(static_cast<size_t>(CellsAcross * CellsDown), 0.0);
    std::vector<int> counts(cells.size(), 0);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        const int cy = std::min(CellsDown - 1, y * CellsDown / gray.height());
        for (int x = 0; x < gray.width(); ++x) {
            const int cx = std::min(CellsAcross - 1, x * CellsAcross / gray.width());
            const size_t i = static_cast<size_t>(cy * CellsAcross + cx);
            cells[i] += 1.0 - line[x] / 255.0;
            ++counts[i];
        }
    }
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = counts[i] ? cells[i] / static_cast<double>(counts[i]) : 0.0;
    return cells;
}

// The white page inside the preview's grey surround.
inline QImage CropPage(const QImage& shot)
{
    const QImage gray = shot.convertToFormat(QImage::Format_Grayscale8);
    int left = gray.width(), right = -1, top = gray.height(), bottom = -1;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            if (line[x] >= 254) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < left || bottom < top) return {};
    return shot.copy(left, top, right - left + 1, bottom - top + 1);
}

inline int PdfPages(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(30000)) return -1;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromLatin1(info.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

inline QImage PdfFirstPage(const QString& pdf, const QString& stem)
{
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("140"), QStringLiteral("-f"),
                  QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                  QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, stem});
    if (!raster.waitForFinished(30000)) return {};
    return QImage(stem + QStringLiteral(".png"));
}

inline void ExpectPreviewShowsThePrintedPages(const ui::PrintoutRenderer& render, bool colour)
{
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("printout.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
        ui::SetDefaultMargins(printer);
        ASSERT_TRUE(render(printer));
    }
    const int printed = PdfPages(pdf);
    ASSERT_GE(printed, 1) << "pdfinfo (poppler-utils) could not read the printed PDF";

    QPrinter printer(QPrinter::HighResolution);
    printer.setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    ui::SetDefaultMargins(printer);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                     [&](QPrinter* p) { render(*p); });
    preview.setViewMode(QPrintPreviewWidget::SinglePageView);
    preview.setZoomMode(QPrintPreviewWidget::FitInView);
    preview.resize(1240, 1640);
    preview.show();
    preview.updatePreview();
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.pageCount(), printed);

    preview.setCurrentPage(1);
    QCoreApplication::processEvents();
    const QImage shown = CropPage(preview.grab().toImage());
    ASSERT_FALSE(shown.isNull());
    const QImage paper = PdfFirstPage(pdf, dir.path(QStringLiteral("page")));
    ASSERT_FALSE(paper.isNull()) << "pdftoppm (poppler-utils) could not draw the printed PDF";
    // The same sheet: the same shape, and the same ink in the same places.
    EXPECT_NEAR(static_cast<double>(shown.width()) / shown.height(),
                static_cast<double>(paper.width()) / paper.height(), 0.02);
    if (!qEnvironmentVariableIsEmpty("TALLIMO_PREVIEW_SHOTS")) {
        shown.save(qEnvironmentVariable("TALLIMO_PREVIEW_SHOTS") + QStringLiteral("-preview.png"));
        paper.save(qEnvironmentVariable("TALLIMO_PREVIEW_SHOTS") + QStringLiteral("-printed.png"));
    }
    const std::vector<double> a = Darkness(shown.scaled(paper.size()));
    const std::vector<double> b = Darkness(paper);
    double ink = 0, worst = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ink += b[i];
        worst = std::max(worst, std::abs(a[i] - b[i]));
    }
    EXPECT_GT(ink, 0.01) << "the first page is blank";
    EXPECT_LT(worst, 0.08) << "the preview's first page differs from the printed one";
}

} // namespace preview_check
