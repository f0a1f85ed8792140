// Paints the program's icon into the sizes of the hicolor theme:
//   quelmo-icon <output folder>  writes <folder>/<n>x<n>/apps/quelmo.png
// Shapes only, no text, so that it needs neither a display nor fonts.

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage paintIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The drawing is made on a 64-unit square and scaled.
    p.scale(size / 64.0, size / 64.0);

    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(0x2f, 0x7d, 0x9a));
    sky.setColorAt(1, QColor(0x1b, 0x4b, 0x63));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // Thermometer: a white tube on a white bulb, red mercury inside.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(17, 8, 12, 38), 6, 6);
    p.drawEllipse(QPointF(23, 47), 10, 10);
    const QColor mercury(0xd9, 0x3a, 0x2f);
    p.setBrush(mercury);
    p.drawRoundedRect(QRectF(20.5, 22, 5, 26), 2.5, 2.5);
    p.drawEllipse(QPointF(23, 47), 6.5, 6.5);

    // Scale marks beside the tube, left out where they would blur.
    if (size >= 32) {
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        for (int y = 12; y <= 36; y += 6)
            p.drawLine(QPointF(32, y), QPointF(y % 12 == 0 ? 37 : 35, y));
        p.setPen(Qt::NoPen);
    }

    // Humidity: a drop.
    QPainterPath drop;
    drop.moveTo(47, 22);
    drop.cubicTo(47, 22, 38, 34, 38, 40);
    drop.arcTo(QRectF(38, 31, 18, 18), 180, 180);
    drop.cubicTo(56, 34, 47, 22, 47, 22);
    p.setBrush(QColor(0x8f, 0xd3, 0xf4));
    p.drawPath(drop);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: quelmo-icon <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(dir) || !paintIcon(size).save(dir + QStringLiteral("/quelmo.png"))) {
            std::fprintf(stderr, "quelmo-icon: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
