#include "AlarmFields.h"

#include <QLocale>

#include <algorithm>

#include <cmath>
#include <limits>

namespace AlarmFields {

namespace {

QLocale numberLocale()
{
    QLocale locale = QLocale::c();
    // "1,5" must not read as 15.
    locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return locale;
}

std::optional<qint64> integer(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = numberLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double numberOrZero(const QString& text)
{
    return number(text).value_or(0.0);
}

QString repairCommas(const QString& text)
{
    QString repaired = text;
    repaired.replace(QLatin1Char(','), QLatin1Char('.'));
    return repaired;
}

QString committedText(const QString& own, const QString& partner, Rule rule)
{
    QString text = number(own) ? own : QStringLiteral("0");
    const double value = *number(text);
    const QString partnerText = number(partner) ? partner : QStringLiteral("0");
    const double partnerValue = *number(partnerText);
    if (rule == Rule::TakeSmallerPartner && partnerValue < value)
        text = partnerText;
    else if (rule == Rule::TakeGreaterPartner && partnerValue > value)
        text = partnerText;
    return text;
}

std::optional<QString> intervalReplacement(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("1");
    const auto value = integer(text);
    if (!value)
        return QStringLiteral("31536000");
    if (*value <= 0)
        return QStringLiteral("1");
    return std::nullopt;
}

qint64 intervalSeconds(const QString& text)
{
    return integer(text).value_or(0);
}

Split split(qint64 seconds)
{
    return {seconds / 3600, (seconds % 3600) / 60, seconds % 60};
}

QString intervalLabel(qint64 seconds)
{
    const Split parts = split(seconds);
    QString label = QStringLiteral("[ ");
    if (parts.h > 0)
        label += QString::number(parts.h) + QStringLiteral("h ");
    if (parts.m > 0)
        label += QString::number(parts.m) + QStringLiteral("m ");
    label += QString::number(parts.s) + QStringLiteral("s");
    label += QStringLiteral(" ]");
    return label;
}

int waitPeriodMs(qint64 seconds)
{
    constexpr qint64 bound = std::numeric_limits<int>::max();
    if (seconds <= 0)
        return 1000;
    if (seconds > bound / 1000)
        return static_cast<int>(bound);
    return static_cast<int>(seconds * 1000);
}

qint64 selectorSum(const QString& s, const QString& m, const QString& h)
{
    // Selector texts can be typed freely while the integer filter is off;
    // a huge one is bounded so the sum cannot overflow.
    const auto part = [](const QString& text) {
        const qint64 value = integer(text).value_or(0);
        constexpr qint64 bound = 1'000'000'000'000LL;
        return std::clamp(value, -bound, bound);
    };
    return part(s) + 60 * part(m) + 3600 * part(h);
}

} // namespace AlarmFields
