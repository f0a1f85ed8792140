#pragma once

#include <QList>
#include <QString>

#include <functional>

// The SMS gateway's requests, their exact encoding and the checks of a send,
// without any widget: the SMS page carries out what these return.
namespace SmsGateway {

// True when the text is empty or starts with a digit; only the first
// character counts, so a comma-separated list of numbers is numeric.
bool IsNumericText(const QString& text);

enum class UrlPart { Path, Query };
// Percent-encodes the characters of one part of the gateway URL: below "!",
// DEL and non-ASCII, and * < > # % " { } | \ ^ [ ] ` (and + in the path), as
// the upper-case hexadecimal bytes of their UTF-8 form.
QString encodePart(const QString& text, UrlPart part);
// A whole URL: the path part up to the first "?", the query after it.
QString encodeUrl(const QString& url);
// ",+" becomes ",%2b", so that a "+" before a second number reaches the
// gateway as a plus sign.
QString protectPlusAfterComma(const QString& encodedUrl);

QString sendUrl(const QString& base, const QString& user, const QString& password,
    const QString& destination, const QString& text, const QString& sender);
QString creditUrl(const QString& base, const QString& user, const QString& password);

struct Fields
{
    QString user; // lblUserSMS
    QString password; // lblPasswordSMS
    QString sender; // edtMittenteSMS
    QString destination; // edtDestSMS
    QString text; // TestoSMS, lines joined by CR LF
};

enum class Message { NoValidPassword, NoValidNumber, NoValidMittente };

// One thing the page does, in order.
struct Step
{
    enum class Kind { Show, Log, SetDestination };
    Kind kind = Kind::Log;
    Message message = Message::NoValidPassword; // Show
    QString text; // Log, SetDestination
    bool operator==(const Step&) const = default;
};

struct Plan
{
    QList<Step> steps;
    QString url; // empty: nothing is sent
};

// The test button and the alarm SMS (InviaSMSClick). fill replaces the
// placeholders of the text.
Plan InviaSMS(
    const Fields& fields, const QString& base, const std::function<QString(const QString&)>& fill);
// The remaining-credit query (btnCreditoSMSClick).
Plan CreditoSMS(const Fields& fields, const QString& base);

// The accented small vowels written as vowel and apostrophe.
QString rewriteAccents(const QString& text);
// "134 caratteri".
QString countText(qsizetype length, const QString& sCaratteri);

constexpr qsizetype MemoLimit = 160;
constexpr qsizetype SenderTypingLimit = 15;
// Whether a typed character may go into the field; backspace always may.
bool destinationKeyAccepted(QChar typed);
bool senderKeyAccepted(QChar typed, qsizetype currentLength);
// lengthAfter: the memo's length once the typed text has replaced the
// selection.
bool memoKeyAccepted(qsizetype lengthAfter);

} // namespace SmsGateway
