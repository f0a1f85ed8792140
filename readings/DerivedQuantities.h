#pragma once

#include "readings/Reading.h"

#include <QtGlobal>

namespace Derived {

// Humidity in percent from the report's raw value, within 0.1 to 100.
double humidityFromRaw(quint16 raw);
// Magnus formula (17.62, 243.12 °C), in Celsius.
double dewPointCelsius(double celsius, double humidity);
// Perceived temperature in Celsius, before it is raised to the temperature.
double perceivedCelsius(double celsius, double humidity);

// Fills every field of the reading from the accepted temperature and the
// report's raw humidity, in the selected unit.
void compute(Reading& reading, double celsius, quint16 rawHumidity, TempUnit unit);

// One decimal, "." separator, nearest tenth with halves away from zero, no
// negative zero.
QString oneDecimal(double value);
// Nearest whole number, halves to the even neighbour (icon texts).
int roundHalfEven(double value);
// Shortest general form with up to 15 significant digits (23.45, 74.5, 24).
QString generalNumber(double value);

} // namespace Derived
