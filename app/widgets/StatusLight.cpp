#include "app/widgets/StatusLight.h"

#include <QPainter>
#include <QRadialGradient>

QPixmap statusLight(bool available, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = available ? QColor(0x2e, 0xb8, 0x4b) : QColor(0xe0, 0x3c, 0x31);
    const QRectF circle(1, 1, size - 2, size - 2);
    QRadialGradient gradient(circle.center() - QPointF(size / 6.0, size / 6.0), size / 1.6);
    gradient.setColorAt(0, base.lighter(150));
    gradient.setColorAt(1, base);
    painter.setBrush(gradient);
    painter.setPen(QPen(base.darker(140), 1));
    painter.drawEllipse(circle);
    return pixmap;
}
