#pragma once

#include <QString>

enum class TempUnit { Celsius, Fahrenheit };

inline double toFahrenheit(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}
inline double toCelsius(double fahrenheit)
{
    return (fahrenheit - 32.0) * 5.0 / 9.0;
}
inline QString unitSuffix(TempUnit unit)
{
    return unit == TempUnit::Fahrenheit ? QStringLiteral("°F") : QStringLiteral("°C");
}

// The latest accepted reading; one instance, overwritten by every accepted
// report. Temperatures other than celsius are in the selected unit.
struct Reading {
    double celsius = 0;
    double temperature = 0;
    double humidity = 0;
    double dewPoint = 0;
    double perceived = 0;
    QString temperatureText;
    QString humidityText;
    QString dewPointText;
    QString perceivedText;
};
