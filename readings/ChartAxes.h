#pragma once

#include "i18n/MainMessages.h"

#include <QDateTime>
#include <QString>

#include <functional>

// The chart's axis model, without widgets: the corrections of the axis
// edits, the manual ranges and the order in which a range is applied.
namespace ChartAxes {

struct Range
{
    double min = 0;
    double max = 0;
    bool operator==(const Range&) const = default;
};

// An axis edit's text as a number; a text that does not convert (a lone
// decimal point, pasted letters) counts as 0 and is left as it stands.
double decimalValue(const QString& text);
int integerValue(const QString& text);

// The text an edit must show instead, or the same text when it needs no
// correction: empty becomes "0", a value above the limit the limit.
QString correctedDecimal(const QString& text, int limit);
QString correctedInteger(const QString& text, int limit);

// The manual vertical limit: 250 in Fahrenheit, 125 in Celsius.
int verticalLimit(bool fahrenheit);

// Chart keys are seconds since the epoch, as the date-time ticker reads
// them.
double key(const QDateTime& when);

// The percentage window p1..p2 of the acquisition since start. Before the
// first start (start not valid) the window is the whole chart, from
// firstKey to lastKey.
Range percentage(
    const QDateTime& start, const QDateTime& now, int p1, int p2, const Range& wholeChart);
// The last N time units: unit 0 seconds, 1 minutes, 2 hours.
Range timeWindow(const QDateTime& now, int value, int unit);

// Sets a range so that at no moment is the minimum above the maximum: the
// maximum goes first when the new minimum lies above the current maximum.
void applyOrdered(const Range& range, double currentMax, const std::function<void(double)>& setMin,
    const std::function<void(double)>& setMax);

// The chart title for the two series toggles.
QString title(bool temperature, bool humidity, const MainMessages& messages);

// Whether a typed character is kept: digits always, the decimal point only
// where decimals are allowed and the text holds none yet. Backspace and
// keys without a character are not filtered.
bool acceptsKey(QChar typed, const QString& text, bool decimals);

} // namespace ChartAxes
