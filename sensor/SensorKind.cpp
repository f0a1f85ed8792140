#include "SensorKind.h"

SensorKind sensorKindOf(const QString& text)
{
    if (text.contains(QLatin1String("Tessaro RH"), Qt::CaseInsensitive))
        return SensorKind::TempRH;
    if (!isSensorText(text))
        return SensorKind::NotSensor;
    if (text.contains(QLatin1String("Tessaro BT"), Qt::CaseInsensitive))
        return SensorKind::TempBT;
    return SensorKind::TempOnly;
}

QString deviceListText(const QString& product, quint16 vendorId, quint16 productId)
{
    if (!product.isEmpty())
        return product;
    return QStringLiteral("Device VID=%1 PID=%2")
        .arg(QString::number(vendorId, 16).toUpper(), QString::number(productId, 16).toUpper());
}
