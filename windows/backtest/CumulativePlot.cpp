#include "windows/backtest/CumulativePlot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace odds {

namespace {

// The full range in black; each third in its own colour, the draws-since lines dashed.
QPen SeriesPen(size_t index)
{
    static constexpr std::array<QRgb, 3> thirds = {qRgb(204, 0, 0), qRgb(52, 101, 164),
                                                   qRgb(78, 154, 6)};
    if (index == 0) return QPen(Qt::black, 2);
    QPen pen(QColor::fromRgb(thirds[(index - 1) % 3]), 1.5);
    if (index > 3) pen.setStyle(Qt::DashLine);
    return pen;
}

} // namespace

CumulativePlot::CumulativePlot(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CumulativePlot::setSeries(const QStringList& captions,
                               const std::vector<std::vector<double>>& series)
{
    m_captions = captions;
    m_series = series;
    update();
}

QSize CumulativePlot::sizeHint() const
{
    return {520, 240};
}

QSize CumulativePlot::minimumSizeHint() const
{
    return {320, 180};
}

void CumulativePlot::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()));
}

namespace {

// Where the plot goes in an area, and the range of values it shows.
struct PlotFrame {
    QRectF plot;
    double line = 0; // the font's line height
    double legendWidth = 0;
    double low = -1;
    double high = 1;
    size_t longest = 1; // points of the longest series

    double yOf(double v) const { return plot.bottom() - (v - low) / (high - low) * plot.height(); }
    double xOf(size_t i) const
    {
        return plot.left() +
               static_cast<double>(i + 1) / static_cast<double>(longest) * plot.width();
    }
};

PlotFrame FrameFor(const QRectF& area, const QFontMetricsF& metrics, const QStringList& captions,
                   const std::vector<std::vector<double>>& series)
{
    PlotFrame f;
    f.line = metrics.height();
    // The legend on the right, one caption a line.
    for (const QString& c : captions)
        f.legendWidth = std::max(f.legendWidth, metrics.horizontalAdvance(c));
    f.legendWidth += 2.5 * f.line;
    f.plot =
        area.adjusted(3.5 * f.line, 0.8 * f.line, -f.legendWidth - 0.5 * f.line, -1.6 * f.line);
    for (const auto& s : series) {
        f.longest = std::max(f.longest, s.size());
        for (double v : s) {
            f.low = std::min(f.low, v);
            f.high = std::max(f.high, v);
        }
    }
    return f;
}

// The frame, the zero line, the values at the top, the bottom and zero, and the axis caption.
void PaintAxes(QPainter& painter, const QRectF& area, const PlotFrame& f)
{
    const QRectF& plot = f.plot;
    const double line = f.line;
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.drawRect(plot);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(QPointF(plot.left(), f.yOf(0)), QPointF(plot.right(), f.yOf(0)));
    painter.setPen(Qt::black);
    const auto tick = [](double v) { return QString::number(std::round(v)); };
    painter.drawText(QRectF(area.left(), plot.top() - line / 2, 3.2 * line, line),
                     Qt::AlignRight | Qt::AlignVCenter, tick(f.high));
    painter.drawText(QRectF(area.left(), plot.bottom() - line / 2, 3.2 * line, line),
                     Qt::AlignRight | Qt::AlignVCenter, tick(f.low));
    painter.drawText(QRectF(area.left(), f.yOf(0) - line / 2, 3.2 * line, line),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 0.2 * line, plot.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("draws tested; above 0: more matches than random forms"));
}

} // namespace

void CumulativePlot::paint(QPainter& painter, const QRectF& area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, Qt::white);
    const PlotFrame f =
        FrameFor(area, QFontMetricsF(painter.font(), painter.device()), m_captions, m_series);
    PaintAxes(painter, area, f);

    // Each series as a line from zero, and its line and caption in the legend.
    const double line = f.line;
    for (size_t s = 0; s < m_series.size(); ++s) {
        const auto& values = m_series[s];
        QPainterPath path(QPointF(f.plot.left(), f.yOf(0)));
        for (size_t i = 0; i < values.size(); ++i)
            path.lineTo(f.xOf(i), f.yOf(values[i]));
        painter.setPen(SeriesPen(s));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);

        const double y = f.plot.top() + (static_cast<double>(s) + 0.5) * line * 1.1;
        const double x = f.plot.right() + 0.6 * line;
        painter.drawLine(QPointF(x, y), QPointF(x + 1.4 * line, y));
        painter.setPen(Qt::black);
        if (static_cast<qsizetype>(s) < m_captions.size())
            painter.drawText(QRectF(x + 1.8 * line, y - line / 2, f.legendWidth, line),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             m_captions[static_cast<qsizetype>(s)]);
    }
    painter.restore();
}

} // namespace odds
