#include "DerivedQuantities.h"

#include <QLocale>

#include <cmath>

namespace Derived {

double humidityFromRaw(quint16 raw)
{
    double humidity = raw / 100.0;
    if (humidity > 100.0)
        humidity = 100.0;
    if (humidity < 0.1)
        humidity = 0.1;
    return humidity;
}

double dewPointCelsius(double c, double h)
{
    const double gamma = (std::log10(h) - 2.0) / 0.4343 + 17.62 * c / (243.12 + c);
    return 243.12 * gamma / (17.62 - gamma);
}

double perceivedCelsius(double c, double h)
{
    const double e = 6.112 * h / 100.0 * std::pow(10.0, 7.5 * c / (237.7 + c));
    return (e - 10.0) * 5.0 / 9.0 + c;
}

void compute(Reading& reading, double celsius, quint16 rawHumidity, TempUnit unit)
{
    auto inUnit = [unit](double c) { return unit == TempUnit::Fahrenheit ? toFahrenheit(c) : c; };
    reading.celsius = celsius;
    reading.temperature = inUnit(celsius);
    reading.temperatureText = oneDecimal(reading.temperature);
    reading.humidity = humidityFromRaw(rawHumidity);
    reading.humidityText = oneDecimal(reading.humidity);
    reading.dewPoint = inUnit(dewPointCelsius(celsius, reading.humidity));
    reading.dewPointText = oneDecimal(reading.dewPoint);
    reading.perceived = inUnit(perceivedCelsius(celsius, reading.humidity));
    if (reading.perceived < reading.temperature)
        reading.perceived = reading.temperature;
    reading.perceivedText = oneDecimal(reading.perceived);
}

QString oneDecimal(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0.0");
    // Readings come in hundredths: a value such as 23.45 is meant as the
    // decimal it was read from, so a half rounds away from zero although its
    // binary form lies a hair below it.
    const double scaled = value * 10.0;
    const double nudge = std::copysign(1e-7, scaled);
    double tenths = std::round(scaled + nudge);
    if (tenths == 0.0)
        tenths = 0.0; // no "-0.0"
    return QLocale::c().toString(tenths / 10.0, 'f', 1);
}

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::nearbyint(value)); // default mode: to nearest, ties to even
}

QString generalNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString text = QLocale::c().toString(value, 'g', 15);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace Derived
