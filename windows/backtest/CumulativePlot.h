#pragma once
// A small line plot of the back-test: for each way of picking, its matches minus what random
// forms would match, summed draw by draw. The zero line is the random expectation.
#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;

namespace odds {

class CumulativePlot final : public QWidget {
    Q_OBJECT
public:
    explicit CumulativePlot(QWidget* parent = nullptr);

    // One series a line, with its caption for the legend.
    void setSeries(const QStringList& captions, const std::vector<std::vector<double>>& series);
    const std::vector<std::vector<double>>& series() const { return m_series; }

    void paint(QPainter& painter, const QRectF& area) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_captions;
    std::vector<std::vector<double>> m_series;
};

} // namespace odds
