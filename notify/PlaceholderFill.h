#pragma once

#include <QDateTime>
#include <QString>

// Fills "$temp$", "$RH$" and "$data$" of a notification template, in that
// order, every occurrence, whatever the letter case: the temperature and the
// humidity as bare numbers in general format (23.75, 24), the date and time
// as "dd/MM/yy HH:mm:ss".
QString PlaceholderFill(
    const QString& text, double temperature, double humidity, const QDateTime& now);
