#pragma once

#include <QColor>

class QAbstractButton;

// A button that stands for a colour (the chart's colour selectors): it
// holds the colour and shows it as a swatch.
namespace ColourSelector {

void setColour(QAbstractButton& button, const QColor& colour);
// The colour the button holds; black when none was ever set.
QColor colour(const QAbstractButton& button);

} // namespace ColourSelector
