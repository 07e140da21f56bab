#include "windows/picks/Ball.h"

#include "models/picks/PickEngine.h"

#include <QPainter>

namespace picks {

Ball::Ball(int paletteIndex, QWidget* parent) : QWidget(parent), m_index(paletteIndex)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Ball::setPaletteIndex(int index)
{
    if (index == m_index) return;
    m_index = index;
    update();
}

QColor Ball::fillColor() const
{
    return QColor::fromRgb(static_cast<QRgb>(PaletteRgb(m_index)));
}

QSize Ball::sizeHint() const
{
    return {36, 36};
}

void Ball::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The drawing scale: 100 by 100 units over the whole picture, whatever its size.
    const qreal side = std::min(width(), height());
    p.translate((width() - side) / 2.0, (height() - side) / 2.0);
    p.scale(side / 100.0, side / 100.0);
    p.setPen(QPen(Qt::black, 2.0));
    p.setBrush(fillColor());
    p.drawEllipse(QPointF(50, 50), 40, 40);
}

} // namespace picks
