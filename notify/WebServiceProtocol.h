#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The requests of the monitoring web service and the reading of its
// answers, without any widget.
namespace WebServiceProtocol {

// Every query value travels percent-encoded, so a user name, password or
// code holding "&", "=", "#" or a blank cannot break the query.
QString queryValue(const QString& value);
// A limit as the service reads it: general format, at most 15 significant
// digits, no trailing zeros, "." as separator (35, 30.5).
QString generalNumber(double value);
// The base address without a trailing "/".
QString trimmedBase(const QString& base);

QString loginUrl(const QString& base, const QString& user, const QString& password);
QString sensorCheckUrl(const QString& base, const QString& user, const QString& code);
QString uploadUrl(const QString& base, const QString& user, const QString& code,
    const QString& temperatureText, const QString& humidityText, double tmax, double tmin);
QString pushUrl(const QString& base, const QString& user, const QString& code,
    const QString& temperatureText, const QString& humidityText);

// user_ok of an answer body: a number, or a string that holds a number,
// rounded to the nearest integer. Nothing when the body is not a JSON object
// or user_ok is missing or of another kind.
std::optional<long long> userOk(const QByteArray& body);

// The codes of sens_list, in order. Nothing when sens_list is missing or not
// an array, or an element is not an object with a text member codice.
std::optional<QStringList> sensorCodes(const QByteArray& body);

// What a login answer leads to.
struct LoginAnswer
{
    enum class Kind {
        Accepted, // user_ok 1 and a valid code list
        Refused, // user_ok read, not 1
        Unreadable, // no readable user_ok: "login exp"
        AcceptedNoList, // user_ok 1, code list unreadable: "login OK", then "login exp"
    };
    Kind kind = Kind::Unreadable;
    QStringList codes;
};
LoginAnswer readLogin(const QByteArray& body);

// What a sensor check answer leads to.
enum class CheckAnswer { Accepted, Refused, Unreadable };
CheckAnswer readCheck(const QByteArray& body);

} // namespace WebServiceProtocol
