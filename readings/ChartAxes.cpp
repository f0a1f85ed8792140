#include "ChartAxes.h"

#include <QLocale>

#include <algorithm>

namespace ChartAxes {

double decimalValue(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok ? value : 0.0;
}

int integerValue(const QString& text)
{
    bool ok = false;
    const int value = QLocale::c().toInt(text, &ok);
    return ok ? value : 0;
}

QString correctedDecimal(const QString& text, int limit)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    if (decimalValue(text) > limit)
        return QString::number(limit);
    return text;
}

QString correctedInteger(const QString& text, int limit)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    bool ok = false;
    const qlonglong value = QLocale::c().toLongLong(text, &ok);
    // Digits beyond what an integer holds are above any limit too.
    const bool allDigits
        = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
    if ((ok && value > limit) || (!ok && allDigits))
        return QString::number(limit);
    return text;
}

int verticalLimit(bool fahrenheit)
{
    return fahrenheit ? 250 : 125;
}

double key(const QDateTime& when)
{
    return static_cast<double>(when.toMSecsSinceEpoch()) / 1000.0;
}

Range percentage(
    const QDateTime& start, const QDateTime& now, int p1, int p2, const Range& wholeChart)
{
    if (!start.isValid())
        return wholeChart;
    const double from = key(start);
    const double elapsed = key(now) - from;
    return {from + elapsed * p1 / 100.0, from + elapsed * p2 / 100.0};
}

Range timeWindow(const QDateTime& now, int value, int unit)
{
    double seconds = value;
    if (unit == 2)
        seconds *= 3600;
    else if (unit == 1)
        seconds *= 60;
    const double to = key(now);
    return {to - seconds, to};
}

void applyOrdered(const Range& range, double currentMax, const std::function<void(double)>& setMin,
    const std::function<void(double)>& setMax)
{
    if (range.min > currentMax) {
        setMax(range.max);
        setMin(range.min);
    } else {
        setMin(range.min);
        setMax(range.max);
    }
}

QString title(bool temperature, bool humidity, const MainMessages& messages)
{
    if (temperature && humidity)
        return messages.strsTitoloGrafico_T_U;
    if (humidity)
        return messages.strsTitoloGrafico_U;
    if (temperature)
        return messages.strsTitoloGrafico_T;
    return {};
}

bool acceptsKey(QChar typed, const QString& text, bool decimals)
{
    if (typed >= QLatin1Char('0') && typed <= QLatin1Char('9'))
        return true;
    if (typed == QLatin1Char('\b'))
        return true;
    return decimals && typed == QLatin1Char('.') && !text.contains(QLatin1Char('.'));
}

} // namespace ChartAxes
