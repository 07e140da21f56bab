#pragma once
// One of the six coloured balls of the shuffling display: a circle of radius 40 on a 100 by 100
// drawing scale, centred, black outline, filled in a colour of the 16-colour text-mode palette.
#include <QWidget>

namespace picks {

class Ball final : public QWidget {
    Q_OBJECT
public:
    explicit Ball(int paletteIndex, QWidget* parent = nullptr);

    // Sets the fill colour and paints the ball again.
    void setPaletteIndex(int index);
    int paletteIndex() const { return m_index; }
    QColor fillColor() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
};

} // namespace picks
