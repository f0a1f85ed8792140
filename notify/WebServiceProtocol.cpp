#include "WebServiceProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <QUrl>

#include <cmath>
#include <limits>

namespace WebServiceProtocol {

QString queryValue(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QString generalNumber(double value)
{
    return QLocale::c().toString(value, 'g', 15);
}

QString trimmedBase(const QString& base)
{
    QString trimmed = base.trimmed();
    while (trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return trimmed;
}

QString loginUrl(const QString& base, const QString& user, const QString& password)
{
    return trimmedBase(base) + QStringLiteral("/api/v1/user.php?user=") + queryValue(user)
        + QStringLiteral("&pass=") + queryValue(password) + QStringLiteral("&slist=1");
}

QString sensorCheckUrl(const QString& base, const QString& user, const QString& code)
{
    return trimmedBase(base) + QStringLiteral("/api/v1/put.php?user=") + queryValue(user)
        + QStringLiteral("&sens=") + queryValue(code) + QStringLiteral("&t=0&u=0&check=1");
}

QString uploadUrl(const QString& base, const QString& user, const QString& code,
    const QString& temperatureText, const QString& humidityText, double tmax, double tmin)
{
    return trimmedBase(base) + QStringLiteral("/api/v1/put.php?user=") + queryValue(user)
        + QStringLiteral("&sens=") + queryValue(code) + QStringLiteral("&t=")
        + queryValue(temperatureText) + QStringLiteral("&u=") + queryValue(humidityText)
        + QStringLiteral("&tlmax=") + queryValue(generalNumber(tmax)) + QStringLiteral("&tlmin=")
        + queryValue(generalNumber(tmin));
}

QString pushUrl(const QString& base, const QString& user, const QString& code,
    const QString& temperatureText, const QString& humidityText)
{
    return trimmedBase(base) + QStringLiteral("/api/v1/send_push.php?user=") + queryValue(user)
        + QStringLiteral("&sens=") + queryValue(code) + QStringLiteral("&t=")
        + queryValue(temperatureText) + QStringLiteral("&u=") + queryValue(humidityText);
}

namespace {

std::optional<QJsonObject> object(const QByteArray& body)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<long long> rounded(double value)
{
    // Beyond this a double holds no fraction and no long long holds it.
    constexpr double limit = 9.0e18;
    if (!std::isfinite(value) || std::fabs(value) > limit)
        return std::nullopt;
    return static_cast<long long>(std::llround(value));
}

} // namespace

std::optional<long long> userOk(const QByteArray& body)
{
    const std::optional<QJsonObject> answer = object(body);
    if (!answer)
        return std::nullopt;
    const QJsonValue value = answer->value(QStringLiteral("user_ok"));
    if (value.isDouble())
        return rounded(value.toDouble());
    if (value.isString()) {
        bool ok = false;
        const double number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        if (ok)
            return rounded(number);
    }
    return std::nullopt;
}

std::optional<QStringList> sensorCodes(const QByteArray& body)
{
    const std::optional<QJsonObject> answer = object(body);
    if (!answer)
        return std::nullopt;
    const QJsonValue list = answer->value(QStringLiteral("sens_list"));
    if (!list.isArray())
        return std::nullopt;
    QStringList codes;
    for (const QJsonValue element : list.toArray()) {
        if (!element.isObject())
            return std::nullopt;
        const QJsonValue code = element.toObject().value(QStringLiteral("codice"));
        if (!code.isString())
            return std::nullopt;
        codes.append(code.toString());
    }
    return codes;
}

LoginAnswer readLogin(const QByteArray& body)
{
    const std::optional<long long> ok = userOk(body);
    if (!ok)
        return {LoginAnswer::Kind::Unreadable, {}};
    if (*ok != 1)
        return {LoginAnswer::Kind::Refused, {}};
    const std::optional<QStringList> codes = sensorCodes(body);
    if (!codes)
        return {LoginAnswer::Kind::AcceptedNoList, {}};
    return {LoginAnswer::Kind::Accepted, *codes};
}

CheckAnswer readCheck(const QByteArray& body)
{
    const std::optional<long long> ok = userOk(body);
    if (!ok)
        return CheckAnswer::Unreadable;
    return *ok == 1 ? CheckAnswer::Accepted : CheckAnswer::Refused;
}

} // namespace WebServiceProtocol
