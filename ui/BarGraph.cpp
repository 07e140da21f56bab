#include "ui/BarGraph.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPaintDevice>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

namespace ui {

namespace {

// Device pixels per screen pixel at 96 per inch, so lines keep their weight on a printer page.
double Unit(const QPaintDevice* device)
{
    return device ? std::max(1.0, device->logicalDpiY() / 96.0) : 1.0;
}

QString TickText(double value)
{
    return QString::number(value, 'g', 12);
}

// Neighbouring bars differ in colour, which helps to follow a bar down to its label.
constexpr std::array<QRgb, 8> BarColours = {
    qRgb(52, 101, 164), qRgb(230, 126, 34), qRgb(78, 154, 6),   qRgb(204, 0, 0),
    qRgb(117, 80, 123), qRgb(0, 150, 160),  qRgb(193, 125, 17), qRgb(200, 60, 150),
};

struct Faces {
    QColor front;
    QColor top;
    QColor side;
    QColor outline;
};

Faces BarFaces(int index, bool colour)
{
    if (!colour) {
        // Greys far enough apart to show the extrusion, with black edges for the page.
        return {QColor(165, 165, 165), QColor(222, 222, 222), QColor(105, 105, 105), Qt::black};
    }
    const QColor base = QColor::fromRgb(BarColours[static_cast<size_t>(index) % BarColours.size()]);
    return {base, base.lighter(140), base.darker(150), base.darker(180)};
}

} // namespace

AxisScale NiceAxis(double maxValue, int maxTicks, bool wholeNumbers)
{
    maxTicks = std::max(1, maxTicks);
    if (!(maxValue > 0) || !std::isfinite(maxValue)) return {1.0, 1.0};
    const double raw = maxValue / maxTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10.0 * magnitude;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * magnitude >= raw * (1.0 - 1e-12)) {
            step = m * magnitude;
            break;
        }
    }
    if (wholeNumbers && step < 1.0) step = 1.0;
    double top = std::ceil(maxValue / step - 1e-9) * step;
    if (top <= 0) top = step;
    return {top, step};
}

BarGraph::BarGraph(QWidget* parent) : QWidget(parent)
{
    // Not marked opaque: at a fractional scale (150 %) the graph's edges fall inside device
    // pixels, which its fill covers only in part, and Qt does not repaint what lies beneath an
    // opaque widget, so those pixels would keep half of what was there before (the caption
    // the graph grew over). The window's background is painted under it instead.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Reached by Tab, so that a screen reader can read it out.
    setFocusPolicy(Qt::TabFocus);
    describe();
}

void BarGraph::setTitle(const QString& title)
{
    m_title = title;
    describe();
    update();
}

void BarGraph::setBars(const QStringList& labels, const std::vector<double>& values)
{
    m_labels = labels;
    m_values = values;
    m_values.resize(static_cast<size_t>(labels.size()), 0.0);
    describe();
    updateGeometry(); // the minimum width follows the labels
    update();
}

void BarGraph::setReference(std::optional<Reference> reference)
{
    m_reference = reference;
    update();
}

// A screen reader reads the graph by its title and hears its bars as "label: value" pairs.
void BarGraph::describe()
{
    const QString title = m_title.simplified();
    setAccessibleName(title.isEmpty() ? QStringLiteral("Bar graph") : title);
    QStringList bars;
    for (qsizetype i = 0; i < m_labels.size(); ++i)
        bars << m_labels.at(i).trimmed() + QStringLiteral(": ") +
                    QLocale().toString(m_values[static_cast<size_t>(i)]);
    setAccessibleDescription(bars.isEmpty() ? QStringLiteral("No bars")
                                            : bars.join(QStringLiteral(", ")));
}

void BarGraph::setThreeD(bool threeD)
{
    m_threeD = threeD;
    update();
}

namespace {

// The label font and the height of a label and the width of the widest, once arranged.
struct LabelRoom {
    double height = 0;
    double widest = 0;
};

// Labels side by side if they fit in a bar's slot, else alternating between two rows, else
// upright, in a smaller font when even that is too wide.
LabelRoom ArrangeLabels(BarGraph::Layout& out, const QStringList& labels, double slot,
                        const QPaintDevice* device)
{
    out.labelFont = out.axisFont;
    QFontMetricsF labelMetrics(out.labelFont, device);
    auto widestLabel = [&]() {
        double widest = 0;
        for (const QString& label : labels)
            widest = std::max(widest, labelMetrics.horizontalAdvance(label));
        return widest;
    };
    double widest = widestLabel();
    const double gap = 0.6 * labelMetrics.averageCharWidth();
    out.labelRows = 1;
    out.labelsVertical = false;
    if (widest + gap > slot) {
        if (widest + gap <= 2 * slot) {
            out.labelRows = 2;
        } else {
            out.labelsVertical = true;
            if (labelMetrics.height() > slot) {
                out.labelFont.setPointSizeF(
                    std::max(5.0, out.labelFont.pointSizeF() * slot / labelMetrics.height()));
                labelMetrics = QFontMetricsF(out.labelFont, device);
                widest = widestLabel();
            }
        }
    }
    return {labelMetrics.height(), widest};
}

// A tick at every step of the scale; returns the width of the widest tick text.
double PlaceTicks(BarGraph::Layout& out, const QFontMetricsF& axisMetrics)
{
    out.ticks.clear();
    double widestTick = 0;
    const int steps = static_cast<int>(std::lround(out.scale.top / out.scale.step));
    for (int k = 0; k <= steps; ++k) {
        BarGraph::Tick tick;
        tick.value = k * out.scale.step;
        tick.text = TickText(tick.value);
        tick.y = out.plot.bottom() - tick.value / out.scale.top * out.plot.height();
        widestTick = std::max(widestTick, axisMetrics.horizontalAdvance(tick.text));
        out.ticks.push_back(tick);
    }
    return widestTick;
}

// The bars on the plot's floor, each centred in its slot and scaled to the axis, and the
// label boxes under them.
void PlaceBars(BarGraph::Layout& out, const std::vector<double>& values, double barWidth,
               double slot, double axisGap, const LabelRoom& labelRoom)
{
    out.bars.clear();
    out.labels.clear();
    const double left = out.plot.left();
    const double labelHeight = labelRoom.height;
    for (size_t i = 0; i < values.size(); ++i) {
        const double value = std::clamp(values[i], 0.0, out.scale.top);
        const double height = value / out.scale.top * out.plot.height();
        const double x = left + static_cast<double>(i) * slot + (slot - barWidth) / 2;
        out.bars.emplace_back(x, out.plot.bottom() - height, barWidth, height);
        const double centre = x + barWidth / 2;
        const double labelTop = out.plot.bottom() + axisGap;
        if (out.labelsVertical) {
            out.labels.emplace_back(centre - labelHeight / 2, labelTop, labelHeight,
                                    labelRoom.widest);
        } else {
            const double width = out.labelRows * slot;
            const int row = out.labelRows == 2 ? static_cast<int>(i % 2) : 0;
            out.labels.emplace_back(centre - width / 2, labelTop + row * labelHeight, width,
                                    labelHeight);
        }
    }
}

// The title's box at the top of `inner`: word-wrapped, centred, at most three lines.
QRectF TitleRect(const QFont& titleFont, const QString& title, const QRectF& inner,
                 const QPaintDevice* device)
{
    const QFontMetricsF titleMetrics(titleFont, device);
    const QRectF need = titleMetrics.boundingRect(QRectF(0, 0, inner.width(), 1e6),
                                                  Qt::AlignHCenter | Qt::TextWordWrap, title);
    const double height = std::min(need.height(), 3 * titleMetrics.lineSpacing());
    return QRectF(inner.left(), inner.top(), inner.width(), height);
}

// The widget's font at `points`, bold or not.
QFont SizedFont(QFont font, double points, bool bold)
{
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The highest value the axis must reach: the tallest bar, the top of the reference band, 0.
double AxisMaximum(const std::vector<double>& values,
                   const std::optional<BarGraph::Reference>& reference)
{
    double top = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    top = std::max(top, 0.0);
    if (reference) top = std::max(top, reference->value + reference->spread);
    return top;
}

// The width each bar's slot gets of `available`, and the offset of the back plane of extruded
// bars ((0, 0) when flat).
double SlotWidth(int bars, double available, bool threeD, double line, QPointF& depth)
{
    depth = QPointF();
    if (!threeD) return bars > 0 ? available / bars : available;
    // The last bar's side face reaches past its slot by the depth.
    const double slot = bars > 0 ? available / (bars + 0.38) : available;
    const double dx = std::min(0.38 * slot, 2.5 * line);
    depth = QPointF(dx, -0.75 * dx);
    return slot;
}

} // namespace

BarGraph::Layout BarGraph::layout(const QRectF& area, const QPaintDevice* device) const
{
    Layout out;
    out.titleFont = SizedFont(font(), 11, true);
    out.axisFont = SizedFont(font(), 9, false);

    const QFontMetricsF axisMetrics(out.axisFont, device);
    const double line = axisMetrics.height();
    const double margin = 0.6 * line;
    const QRectF inner = area.adjusted(margin, margin, -margin, -margin);

    // The title, word-wrapped and centred, at most three lines.
    double top = inner.top();
    if (!m_title.isEmpty()) {
        out.titleRect = TitleRect(out.titleFont, m_title, inner, device);
        top = out.titleRect.bottom() + 0.6 * line;
    }

    const int n = static_cast<int>(m_labels.size());
    // The axis reaches the tallest bar and the reference band; whole values get whole ticks.
    const double maxValue = AxisMaximum(m_values, m_reference);
    const bool whole =
        std::all_of(m_values.begin(), m_values.end(), [](double v) { return v == std::floor(v); });

    const double tickLength = 0.3 * line;
    const double axisGap = 0.35 * line; // between the axis and the first row of labels
    double axisWidth = axisMetrics.horizontalAdvance(TickText(NiceAxis(maxValue, 10, whole).top));
    // The width of the tick texts depends on the scale, which depends on the plot's height,
    // which depends on the labels' arrangement, which depends on the width left for the bars:
    // settle it in a few rounds.
    for (int round = 0; round < 3; ++round) {
        const double left = inner.left() + axisWidth + 0.3 * line + tickLength;
        const double available = std::max(1.0, inner.right() - left);
        const double slot = SlotWidth(n, available, m_threeD, line, out.depth);

        const LabelRoom labelRoom = ArrangeLabels(out, m_labels, slot, device);
        const double labelsHeight =
            out.labelsVertical ? labelRoom.widest : out.labelRows * labelRoom.height;

        const double bottom = inner.bottom() - labelsHeight - axisGap;
        // Room above the axis top for half a tick text and for the back plane.
        const double plotTop = top + 0.5 * line - out.depth.y();
        out.plot =
            QRectF(QPointF(left, plotTop), QPointF(left + slot * n, std::max(plotTop, bottom)));

        const int maxTicks = std::clamp(static_cast<int>(out.plot.height() / (1.8 * line)), 1, 10);
        out.scale = NiceAxis(maxValue, maxTicks, whole);
        const double widestTick = PlaceTicks(out, axisMetrics);

        PlaceBars(out, m_values, (m_threeD ? 0.52 : 0.7) * slot, slot, axisGap, labelRoom);

        if (widestTick <= axisWidth || round == 2) break;
        axisWidth = widestTick;
    }
    for (Tick& tick : out.ticks)
        tick.textRect = QRectF(inner.left(), tick.y - line / 2, axisWidth, line);
    return out;
}

void BarGraph::paint(QPainter& painter, const QRectF& area, bool colour) const
{
    const Layout lay = layout(area, painter.device());
    const double u = Unit(painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(area, Qt::white);
    paintTitle(painter, lay);
    paintBackdrop(painter, lay, u, colour);
    paintAxes(painter, lay, u);
    paintBars(painter, lay, u, colour);
    paintReferenceLine(painter, lay, u, colour);
    paintLabels(painter, lay, u);
    painter.restore();
}

void BarGraph::paintTitle(QPainter& painter, const Layout& lay) const
{
    if (m_title.isEmpty()) return;
    painter.save();
    painter.setClipRect(lay.titleRect.adjusted(0, 0, 0, 1));
    painter.setPen(Qt::black);
    painter.setFont(lay.titleFont);
    painter.drawText(lay.titleRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_title);
    painter.restore();
}

double BarGraph::referenceY(const Layout& lay, double value) const
{
    return lay.plot.bottom() -
           std::clamp(value, 0.0, lay.scale.top) / lay.scale.top * lay.plot.height();
}

// The walls, the grid lines and the reference band: everything behind the bars.
void BarGraph::paintBackdrop(QPainter& painter, const Layout& lay, double unit, bool colour) const
{
    const QRectF& plot = lay.plot;
    const QPointF d = lay.depth;
    // The walls of the extruded graph: the floor and the left wall, shaded lightly.
    if (m_threeD) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(232, 232, 232));
        painter.drawPolygon(QPolygonF{plot.bottomLeft(), plot.bottomRight(), plot.bottomRight() + d,
                                      plot.bottomLeft() + d});
        painter.setBrush(QColor(244, 244, 244));
        painter.drawPolygon(QPolygonF{plot.bottomLeft(), plot.topLeft(), plot.topLeft() + d,
                                      plot.bottomLeft() + d});
    }

    // Grid lines at every tick: across the plot, or along the left and the back wall.
    painter.setPen(QPen(colour ? QColor(205, 205, 205) : QColor(160, 160, 160), unit));
    painter.setBrush(Qt::NoBrush);
    for (const Tick& tick : lay.ticks) {
        if (tick.value == 0) continue;
        const QPointF front(plot.left(), tick.y);
        if (m_threeD)
            painter.drawPolyline(QPolygonF{front, front + d, QPointF(plot.right(), tick.y) + d});
        else
            painter.drawLine(front, QPointF(plot.right(), tick.y));
    }

    // The band of the reference behind the bars; its line is drawn in front of them.
    if (m_reference && m_reference->spread > 0) {
        const double top = referenceY(lay, m_reference->value + m_reference->spread);
        const double bottom = referenceY(lay, m_reference->value - m_reference->spread);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour ? QColor(120, 170, 230, 70) : QColor(0, 0, 0, 28));
        painter.drawRect(QRectF(QPointF(plot.left(), top), QPointF(plot.right(), bottom)));
        painter.setBrush(Qt::NoBrush);
    }
}

// The axes, the ticks and their values.
void BarGraph::paintAxes(QPainter& painter, const Layout& lay, double unit) const
{
    const QRectF& plot = lay.plot;
    const QPointF d = lay.depth;
    const QPen axisPen(Qt::black, unit);
    painter.setPen(axisPen);
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    if (m_threeD) {
        painter.setPen(QPen(QColor(110, 110, 110), unit));
        painter.drawLine(plot.topLeft() + d, plot.bottomLeft() + d);
        painter.drawLine(plot.bottomLeft() + d, plot.bottomRight() + d);
        painter.drawLine(plot.bottomLeft(), plot.bottomLeft() + d);
        painter.drawLine(plot.bottomRight(), plot.bottomRight() + d);
        painter.setPen(axisPen);
    }

    const double tickLength = 0.3 * QFontMetricsF(lay.axisFont, painter.device()).height();
    painter.setFont(lay.axisFont);
    for (const Tick& tick : lay.ticks) {
        painter.drawLine(QPointF(plot.left() - tickLength, tick.y), QPointF(plot.left(), tick.y));
        painter.drawText(tick.textRect, Qt::AlignRight | Qt::AlignVCenter, tick.text);
    }
}

// The bars, left to right, so that each front face covers its left neighbour's side.
void BarGraph::paintBars(QPainter& painter, const Layout& lay, double unit, bool colour) const
{
    const QPointF d = lay.depth;
    for (size_t i = 0; i < lay.bars.size(); ++i) {
        const QRectF& bar = lay.bars[i];
        const Faces faces = BarFaces(static_cast<int>(i), colour);
        painter.setPen(QPen(faces.outline, 0.75 * unit));
        if (m_threeD) {
            painter.setBrush(faces.side);
            painter.drawPolygon(QPolygonF{bar.topRight(), bar.bottomRight(), bar.bottomRight() + d,
                                          bar.topRight() + d});
            painter.setBrush(faces.top);
            painter.drawPolygon(
                QPolygonF{bar.topLeft(), bar.topRight(), bar.topRight() + d, bar.topLeft() + d});
        }
        painter.setBrush(faces.front);
        if (bar.height() > 0)
            painter.drawRect(bar);
        else if (!m_threeD)
            painter.drawLine(bar.bottomLeft(), bar.bottomRight());
    }
}

void BarGraph::paintReferenceLine(QPainter& painter, const Layout& lay, double unit,
                                  bool colour) const
{
    if (!m_reference) return;
    const double y = referenceY(lay, m_reference->value);
    painter.setPen(QPen(colour ? QColor(200, 0, 0) : Qt::black, 1.5 * unit, Qt::DashLine));
    painter.drawLine(QPointF(lay.plot.left(), y), QPointF(lay.plot.right(), y));
}

// A short mark under each bar leads to its label; in two rows the lower ones get longer marks.
void BarGraph::paintLabels(QPainter& painter, const Layout& lay, double unit) const
{
    painter.setFont(lay.labelFont);
    const double labelGap = lay.labels.empty() ? 0 : lay.labels.front().top() - lay.plot.bottom();
    for (size_t i = 0; i < lay.labels.size(); ++i) {
        const QRectF& box = lay.labels[i];
        const double centre = lay.bars[i].center().x();
        painter.setPen(QPen(QColor(90, 90, 90), unit));
        painter.drawLine(QPointF(centre, lay.plot.bottom()),
                         QPointF(centre, box.top() - 0.3 * labelGap));
        painter.setPen(Qt::black);
        const QString& label = m_labels[static_cast<qsizetype>(i)];
        if (lay.labelsVertical) {
            painter.save();
            painter.translate(box.center());
            painter.rotate(-90);
            const QRectF turned(-box.height() / 2, -box.width() / 2, box.height(), box.width());
            painter.drawText(turned, Qt::AlignRight | Qt::AlignVCenter, label);
            painter.restore();
        } else {
            painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, label);
        }
    }
}

QSize BarGraph::sizeHint() const
{
    return {static_cast<int>(8.8 * logicalDpiX()), static_cast<int>(5.0 * logicalDpiY())};
}

QSize BarGraph::minimumSizeHint() const
{
    // Wide enough for the labels in two alternating rows at their full size.
    QFont labelFont = font();
    labelFont.setPointSizeF(9);
    const QFontMetricsF metrics(labelFont, this);
    double widest = 0;
    for (const QString& label : m_labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const double bars =
        static_cast<double>(m_labels.size()) * (widest + metrics.averageCharWidth()) / 2;
    const double frame = 6 * metrics.averageCharWidth() + 2 * metrics.height();
    const int width =
        std::max(static_cast<int>(4.0 * logicalDpiX()), static_cast<int>(std::ceil(bars + frame)));
    return {width, static_cast<int>(3.2 * logicalDpiY())};
}

void BarGraph::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()), true);
}

} // namespace ui
