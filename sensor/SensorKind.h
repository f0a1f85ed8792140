#pragma once

#include <QString>

// The kind of a HID device, told by its product string.
enum class SensorKind { NotSensor, TempRH, TempBT, TempOnly };

SensorKind sensorKindOf(const QString& productText);
inline bool isSensorText(const QString& text)
{
    return text.contains(QLatin1String("Tessaro"), Qt::CaseInsensitive);
}

// The firmware whose reports and commands carry the Bluetooth and charge
// fields.
inline constexpr quint16 BluetoothFirmware = 0x0200;

// A list entry's text: the product string, or "Device VID=%x PID=%x" for a
// device without one.
QString deviceListText(const QString& product, quint16 vendorId, quint16 productId);
