#include "odds/CumulativePlot.h"

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

void CumulativePlot::paint(QPainter& painter, const QRectF& area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, Qt::white);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();

    // The legend on the right, one caption a line.
    double legendWidth = 0;
    for (const QString& c : m_captions)
        legendWidth = std::max(legendWidth, metrics.horizontalAdvance(c));
    legendWidth += 2.5 * line;
    const QRectF plot =
        area.adjusted(3.5 * line, 0.8 * line, -legendWidth - 0.5 * line, -1.6 * line);

    double low = -1;
    double high = 1;
    size_t longest = 1;
    for (const auto& s : m_series) {
        longest = std::max(longest, s.size());
        for (double v : s) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    auto yOf = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };
    auto xOf = [&](size_t i) {
        return plot.left() +
               static_cast<double>(i + 1) / static_cast<double>(longest) * plot.width();
    };

    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.drawRect(plot);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));
    painter.setPen(Qt::black);
    const auto tick = [](double v) { return QString::number(std::round(v)); };
    painter.drawText(QRectF(area.left(), plot.top() - line / 2, 3.2 * line, line),
                     Qt::AlignRight | Qt::AlignVCenter, tick(high));
    painter.drawText(QRectF(area.left(), plot.bottom() - line / 2, 3.2 * line, line),
                     Qt::AlignRight | Qt::AlignVCenter, tick(low));
    painter.drawText(QRectF(area.left(), yOf(0) - line / 2, 3.2 * line, line),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 0.2 * line, plot.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("draws tested; above 0: more matches than random forms"));

    for (size_t s = 0; s < m_series.size(); ++s) {
        const auto& values = m_series[s];
        QPainterPath path(QPointF(plot.left(), yOf(0)));
        for (size_t i = 0; i < values.size(); ++i)
            path.lineTo(xOf(i), yOf(values[i]));
        painter.setPen(SeriesPen(s));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);

        const double y = plot.top() + (static_cast<double>(s) + 0.5) * line * 1.1;
        const double x = plot.right() + 0.6 * line;
        painter.drawLine(QPointF(x, y), QPointF(x + 1.4 * line, y));
        painter.setPen(Qt::black);
        if (static_cast<qsizetype>(s) < m_captions.size())
            painter.drawText(QRectF(x + 1.8 * line, y - line / 2, legendWidth, line),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             m_captions[static_cast<qsizetype>(s)]);
    }
    painter.restore();
}

} // namespace odds
