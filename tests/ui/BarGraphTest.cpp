#include "ui/BarGraph.h"
#include "support/Databases.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using ui::BarGraph;
using ui::NiceAxis;

namespace {

bool IsOneTwoFive(double step)
{
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    return std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
           std::abs(mantissa - 5) < 1e-9;
}

QStringList NumberLabels(int count)
{
    QStringList labels;
    for (int n = 1; n <= count; ++n)
        labels.append(QString::number(n));
    return labels;
}

// The window's graph size at 96 dots per inch.
const QRectF DefaultArea(0, 0, 845, 480);

QImage Render(const BarGraph& graph, const QRectF& area, bool colour)
{
    QImage image(area.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    graph.paint(painter, area, colour);
    return image;
}

// Contains also for a bar of height 0.
bool Inside(const QRectF& area, const QRectF& box)
{
    return box.left() >= area.left() && box.right() <= area.right() && box.top() >= area.top() &&
           box.bottom() <= area.bottom();
}

bool IsGrey(QRgb c, int tolerance = 6)
{
    return std::abs(qRed(c) - qGreen(c)) <= tolerance &&
           std::abs(qGreen(c) - qBlue(c)) <= tolerance && std::abs(qRed(c) - qBlue(c)) <= tolerance;
}

} // namespace

TEST(NiceAxis, ReachesTheMaximumInFewRoundSteps)
{
    for (const bool whole : {true, false}) {
        for (const double maxValue : {0.004, 0.3, 0.75, 1.0, 3.0, 7.0, 9.0, 10.0, 11.0, 37.0, 49.0,
                                      50.0, 51.0, 99.0, 100.0, 101.0, 523.0, 1999.0, 2000.0}) {
            for (int maxTicks = 1; maxTicks <= 10; ++maxTicks) {
                SCOPED_TRACE(testing::Message()
                             << "max " << maxValue << " ticks " << maxTicks << " whole " << whole);
                const ui::AxisScale s = NiceAxis(maxValue, maxTicks, whole);
                ASSERT_GT(s.step, 0);
                EXPECT_TRUE(IsOneTwoFive(s.step)) << s.step;
                EXPECT_GE(s.top, maxValue);
                EXPECT_LT(s.top - s.step, maxValue); // no empty step at the top
                const double steps = s.top / s.step;
                EXPECT_NEAR(steps, std::round(steps), 1e-9);
                if (whole) {
                    EXPECT_GE(s.step, 1.0);
                    EXPECT_EQ(s.step, std::floor(s.step));
                }
                if (!whole || maxValue / maxTicks >= 1.0) {
                    EXPECT_LE(std::round(steps), maxTicks);
                }
            }
        }
    }
}

TEST(NiceAxis, NothingToShowGivesAOneStepAxis)
{
    for (const double maxValue : {0.0, -3.0, std::nan("")})
        EXPECT_EQ(NiceAxis(maxValue, 5, true).top, 1.0);
}

TEST(BarGraphLayout, SixtyBarsAtTheDefaultSizeKeepEveryLabelApartAndInside)
{
    BarGraph graph;
    graph.setTitle(
        QStringLiteral("No. draws since drawn/not drawn in 400 draws. Random 6/60 Lotto"));
    std::vector<double> values;
    for (int n = 1; n <= 60; ++n)
        values.push_back((n * 37) % 53);
    graph.setBars(NumberLabels(60), values);
    QImage device(1, 1, QImage::Format_RGB32);

    for (const bool threeD : {false, true}) {
        SCOPED_TRACE(threeD ? "3-D" : "2-D");
        graph.setThreeD(threeD);
        const BarGraph::Layout lay = graph.layout(DefaultArea, &device);
        ASSERT_EQ(lay.bars.size(), 60u);
        ASSERT_EQ(lay.labels.size(), 60u);
        EXPECT_FALSE(lay.labelsVertical);
        EXPECT_TRUE(Inside(DefaultArea, lay.titleRect));
        EXPECT_LE(lay.titleRect.bottom(), lay.plot.top() + lay.depth.y());
        EXPECT_GE(lay.titleRect.height(), QFontMetricsF(lay.titleFont, &device).height());

        const QFontMetricsF metrics(lay.labelFont, &device);
        EXPECT_GE(lay.labelFont.pointSizeF(), 8.0); // readable
        for (size_t i = 0; i < 60; ++i) {
            const QRectF& label = lay.labels[i];
            const QRectF& bar = lay.bars[i];
            EXPECT_TRUE(Inside(DefaultArea, label)) << i;
            EXPECT_TRUE(Inside(DefaultArea, bar.translated(lay.depth))) << i;
            EXPECT_GE(label.top(), lay.plot.bottom()) << i;
            EXPECT_NEAR(label.center().x(), bar.center().x(), 0.01) << i;
            EXPECT_GE(label.width(), metrics.horizontalAdvance(QString::number(i + 1))) << i;
            // Heights in proportion to the values, on one base line.
            EXPECT_NEAR(bar.bottom(), lay.plot.bottom(), 0.01);
            EXPECT_NEAR(bar.height(), values[i] / lay.scale.top * lay.plot.height(), 0.01) << i;
            if (i > 0) {
                // The front faces and their side faces do not run into the next bar.
                EXPECT_LE(lay.bars[i - 1].right() + lay.depth.x(), bar.left() + 0.01) << i;
            }
            // Labels on one row do not touch.
            const size_t step = static_cast<size_t>(lay.labelRows);
            if (i >= step) {
                const QRectF& before = lay.labels[i - step];
                if (std::abs(before.top() - label.top()) < 0.01) {
                    const double textRight =
                        before.center().x() +
                        metrics.horizontalAdvance(QString::number(i + 1 - step)) / 2;
                    const double textLeft =
                        label.center().x() - metrics.horizontalAdvance(QString::number(i + 1)) / 2;
                    EXPECT_LT(textRight, textLeft) << i;
                }
            }
        }
        // Ticks: from 0 up to the axis top, upwards, their texts apart.
        ASSERT_GE(lay.ticks.size(), 3u);
        EXPECT_EQ(lay.ticks.front().value, 0);
        EXPECT_NEAR(lay.ticks.front().y, lay.plot.bottom(), 0.01);
        EXPECT_NEAR(lay.ticks.back().y, lay.plot.top(), 0.01);
        EXPECT_GE(lay.scale.top, 52);
        for (size_t k = 1; k < lay.ticks.size(); ++k) {
            EXPECT_LE(lay.ticks[k].textRect.bottom(), lay.ticks[k - 1].textRect.top() + 0.01);
            EXPECT_LE(lay.ticks[k].textRect.right(), lay.plot.left());
        }
    }
}

TEST(BarGraphLayout, LabelsUseOneRowTwoRowsOrStandUprightAsRoomRequires)
{
    BarGraph graph;
    QImage device(1, 1, QImage::Format_RGB32);
    graph.setBars(NumberLabels(6), {1, 2, 3, 4, 5, 6});
    BarGraph::Layout lay = graph.layout(DefaultArea, &device);
    EXPECT_EQ(lay.labelRows, 1);
    EXPECT_FALSE(lay.labelsVertical);

    graph.setBars(NumberLabels(60), std::vector<double>(60, 1.0));
    lay = graph.layout(QRectF(0, 0, 500, 300), &device);
    EXPECT_TRUE(lay.labelsVertical);
    // Upright labels still fit beside each other.
    for (size_t i = 1; i < lay.labels.size(); ++i)
        EXPECT_LE(lay.labels[i - 1].right(), lay.labels[i].left() + 0.5) << i;

    QStringList words;
    for (int i = 0; i < 30; ++i)
        words.append(QStringLiteral("Wednesday"));
    graph.setBars(words, std::vector<double>(30, 1.0));
    lay = graph.layout(DefaultArea, &device);
    EXPECT_TRUE(lay.labelsVertical);
    for (const QRectF& box : lay.labels)
        EXPECT_TRUE(Inside(DefaultArea, box));
}

TEST(BarGraphPaint, ColourOrGreysWithExtrudedSidesIn3D)
{
    BarGraph graph;
    graph.setTitle(QStringLiteral("Painted"));
    graph.setBars(NumberLabels(8), {4, 8, 2, 6, 1, 7, 3, 5});
    QImage device(1, 1, QImage::Format_RGB32);

    for (const bool threeD : {false, true}) {
        graph.setThreeD(threeD);
        const BarGraph::Layout lay = graph.layout(DefaultArea, &device);
        const QRectF tallest = lay.bars[1];
        const QPoint inside = tallest.center().toPoint();
        const QPoint above(inside.x(), static_cast<int>(tallest.top() - 3));
        // Beside the front face, halfway up: the side face in 3-D, background in 2-D.
        const QPoint beside(static_cast<int>(tallest.right() + lay.depth.x() / 2 + 0.5),
                            inside.y());

        const QImage colour = Render(graph, DefaultArea, true);
        EXPECT_FALSE(IsGrey(colour.pixel(inside))) << threeD;
        const QImage mono = Render(graph, DefaultArea, false);
        for (int y = 0; y < mono.height(); ++y)
            for (int x = 0; x < mono.width(); ++x)
                ASSERT_TRUE(IsGrey(mono.pixel(x, y))) << x << "," << y;
        EXPECT_LT(qGray(mono.pixel(inside)), 230);

        if (threeD) {
            EXPECT_LT(qGray(colour.pixel(beside)), qGray(colour.pixel(inside))); // shaded darker
            EXPECT_LT(qGray(mono.pixel(beside)), qGray(mono.pixel(inside)));
            EXPECT_GT(qGray(mono.pixel(above)), qGray(mono.pixel(inside))); // lit top face
            EXPECT_LT(qGray(mono.pixel(above)), 250);
        } else {
            EXPECT_EQ(colour.pixel(above), qRgb(255, 255, 255));
        }
    }
}
