#pragma once
// A bar graph drawn with QPainter: one bar per point with its label under it, a value axis with
// round ticks, and a title; flat or extruded three-dimensional bars, in colour or in greys that
// stay readable on a black-and-white page. One paint() draws the screen and the printed page.
#include <QFont>
#include <QRectF>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

namespace ui {

// A value axis from 0 to `top` in steps of `step`.
struct AxisScale {
    double top = 1.0;
    double step = 1.0;
};

// The shortest axis from 0 that reaches `maxValue` with at most `maxTicks` steps, each step
// 1, 2 or 5 times a power of ten; never a fractional step for whole-number values.
AxisScale NiceAxis(double maxValue, int maxTicks, bool wholeNumbers);

class BarGraph final : public QWidget {
    Q_OBJECT
public:
    explicit BarGraph(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const { return m_title; }
    // The bars in order: a label and a value each. A shorter value list leaves the remaining
    // bars at 0.
    void setBars(const QStringList& labels, const std::vector<double>& values);
    QStringList labels() const { return m_labels; }
    std::vector<double> values() const { return m_values; }
    // Extruded bars with depth and shading instead of flat ones.
    void setThreeD(bool threeD);
    bool threeD() const { return m_threeD; }
    // A line across the bars at `value` with a shaded band of `spread` on either side (what a
    // fair draw would give each bar, and its usual spread); none by default.
    struct Reference {
        double value = 0;
        double spread = 0;
    };
    void setReference(std::optional<Reference> reference);
    std::optional<Reference> reference() const { return m_reference; }

    // Where everything goes when the graph fills `area` of a device.
    struct Tick {
        double value = 0;
        QString text;
        QRectF textRect;
        double y = 0; // on the front plane
    };
    struct Layout {
        QFont titleFont;
        QFont labelFont;
        QFont axisFont;
        QRectF titleRect;
        QRectF plot;   // front plane: bars stand on plot.bottom(); plot.top() is the axis top
        QPointF depth; // offset of the back plane for extruded bars; (0, 0) when flat
        std::vector<QRectF> bars;   // front faces, in order
        std::vector<QRectF> labels; // label boxes, in order
        int labelRows = 1;          // 2 when the labels alternate between two rows
        bool labelsVertical = false;
        AxisScale scale;
        std::vector<Tick> ticks;
    };
    Layout layout(const QRectF& area, const QPaintDevice* device) const;

    // Draws the whole graph into `area`: in colour, or in greys for a black-and-white page.
    void paint(QPainter& painter, const QRectF& area, bool colour) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();
    // The layers of paint(), back to front.
    void paintTitle(QPainter& painter, const Layout& lay) const;
    void paintBackdrop(QPainter& painter, const Layout& lay, double unit, bool colour) const;
    void paintAxes(QPainter& painter, const Layout& lay, double unit) const;
    void paintBars(QPainter& painter, const Layout& lay, double unit, bool colour) const;
    void paintReferenceLine(QPainter& painter, const Layout& lay, double unit, bool colour) const;
    void paintLabels(QPainter& painter, const Layout& lay, double unit) const;
    double referenceY(const Layout& lay, double value) const;
    QString m_title;
    QStringList m_labels;
    std::vector<double> m_values;
    bool m_threeD = false;
    std::optional<Reference> m_reference;
};

} // namespace ui
