#include "Led.h"

#include <QAccessible>
#include <QPainter>
#include <QRadialGradient>

Led::Led(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
}

void Led::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    update();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Led::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 2;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const QColor base = m_active ? QColor(0, 220, 0) : QColor(0, 70, 0);
    QRadialGradient light(circle.center() - QPointF(side / 5.0, side / 5.0), side / 1.5);
    light.setColorAt(0, base.lighter(160));
    light.setColorAt(1, base);
    painter.setBrush(light);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawEllipse(circle);
}
