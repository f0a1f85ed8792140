#include "PlaceholderFill.h"

#include <QLocale>

QString PlaceholderFill(
    const QString& text, double temperature, double humidity, const QDateTime& now)
{
    const QLocale c = QLocale::c();
    QString filled = text;
    filled.replace(QStringLiteral("$temp$"), c.toString(temperature, 'g', 15), Qt::CaseInsensitive);
    filled.replace(QStringLiteral("$RH$"), c.toString(humidity, 'g', 15), Qt::CaseInsensitive);
    filled.replace(QStringLiteral("$data$"), now.toString(QStringLiteral("dd/MM/yy HH:mm:ss")),
        Qt::CaseInsensitive);
    return filled;
}
