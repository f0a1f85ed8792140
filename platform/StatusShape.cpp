#include "StatusShape.h"

#include <QPainter>

StatusShape::StatusShape(const QString& name, const QColor& colour, QWidget* parent)
    : QWidget(parent)
    , m_colour(colour)
{
    setObjectName(name);
}

void StatusShape::setColour(const QColor& colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void StatusShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(m_colour);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}
