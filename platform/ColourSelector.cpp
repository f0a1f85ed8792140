#include "ColourSelector.h"

#include <QAbstractButton>
#include <QPixmap>

namespace {
constexpr const char* ColourProperty = "colour";
}

namespace ColourSelector {

void setColour(QAbstractButton& button, const QColor& colour)
{
    button.setProperty(ColourProperty, colour);
    QPixmap swatch(12, 12);
    swatch.fill(colour);
    button.setIcon(QIcon(swatch));
}

QColor colour(const QAbstractButton& button)
{
    const QVariant stored = button.property(ColourProperty);
    return stored.isValid() ? stored.value<QColor>() : QColor(Qt::black);
}

} // namespace ColourSelector
