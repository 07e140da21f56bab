#pragma once
// Records what would have been printed.
#include "ui/Printer.h"

#include <QImage>
#include <QPainter>
#include <vector>

class FakePrinter final : public ui::Printer {
public:
    bool printText(const ui::TextDocument& document, const QString& jobName) override
    {
        texts.push_back(document);
        jobs.push_back(jobName);
        return accept;
    }
    bool printPage(const ui::PagePainter& paint, const QString& jobName, bool colour) override
    {
        QImage image(850, 1100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        paint(p, QRectF(0, 0, image.width(), image.height()));
        p.end();
        pages.push_back(image);
        painters.push_back(paint);
        colours.push_back(colour);
        jobs.push_back(jobName);
        return accept;
    }

    bool accept = true;
    std::vector<ui::TextDocument> texts;
    std::vector<QImage> pages;
    std::vector<ui::PagePainter> painters; // valid while what they paint lives
    std::vector<bool> colours;
    std::vector<QString> jobs;
};
