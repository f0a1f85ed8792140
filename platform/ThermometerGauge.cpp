#include "ThermometerGauge.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <cmath>

ThermometerGauge::ThermometerGauge(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
}

void ThermometerGauge::setScale(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

void ThermometerGauge::setMinimum(double minimum)
{
    m_minimum = minimum;
    update();
}

void ThermometerGauge::setMaximum(double maximum)
{
    m_maximum = maximum;
    update();
}

void ThermometerGauge::setSteps(double minorStep, double majorStep)
{
    m_minorStep = minorStep;
    m_majorStep = majorStep;
    update();
}

void ThermometerGauge::setValue(double value)
{
    m_value = value;
    m_lowPeak = std::min(m_lowPeak, value);
    m_highPeak = std::max(m_highPeak, value);
    update();
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void ThermometerGauge::setPeaks(double low, double high)
{
    m_lowPeak = low;
    m_highPeak = high;
    update();
}

void ThermometerGauge::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

double ThermometerGauge::toY(double value, const QRectF& tube) const
{
    const double span = m_maximum - m_minimum;
    const double ratio = span > 0 ? std::clamp((value - m_minimum) / span, 0.0, 1.0) : 0.0;
    return tube.bottom() - ratio * tube.height();
}

void ThermometerGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect().adjusted(4, 4, -4, -4);
    const QRectF captionArea(area.left(), area.top(), area.width(), 16);
    painter.drawText(captionArea, Qt::AlignCenter, m_caption);

    const double bulb = 22;
    const QRectF tube(area.center().x() - 6, captionArea.bottom() + 6, 12, area.height() - 16 - bulb - 10);
    const QRectF bulbRect(area.center().x() - bulb / 2, tube.bottom() - 2, bulb, bulb);

    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(tube, 6, 6);

    const QColor mercury(220, 30, 30);
    painter.setBrush(mercury);
    painter.setPen(Qt::NoPen);
    const double top = toY(m_value, tube);
    painter.drawRect(QRectF(tube.left() + 3, top, tube.width() - 6, tube.bottom() - top));
    painter.drawEllipse(bulbRect);

    painter.setPen(QPen(Qt::black, 1));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    if (m_minorStep > 0 && m_maximum > m_minimum && (m_maximum - m_minimum) / m_minorStep < 400) {
        const double first = std::ceil(m_minimum / m_minorStep) * m_minorStep;
        for (double tick = first; tick <= m_maximum + 1e-9; tick += m_minorStep) {
            const double y = toY(tick, tube);
            const bool major = m_majorStep > 0
                && std::fabs(std::remainder(tick, m_majorStep)) < 1e-6;
            painter.drawLine(QPointF(tube.right() + 2, y), QPointF(tube.right() + (major ? 10 : 6), y));
            if (major)
                painter.drawText(QRectF(tube.right() + 12, y - 6, 40, 12), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::number(tick));
        }
    }
    // Peak markers: small triangles on the left of the tube.
    painter.setBrush(QColor(30, 90, 200));
    painter.setPen(Qt::NoPen);
    for (double peak : {m_lowPeak, m_highPeak}) {
        const double y = toY(peak, tube);
        const QPointF points[] = {{tube.left() - 2, y}, {tube.left() - 9, y - 4}, {tube.left() - 9, y + 4}};
        painter.drawPolygon(points, 3);
    }
}
