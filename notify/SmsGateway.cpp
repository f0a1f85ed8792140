#include "SmsGateway.h"

namespace SmsGateway {

bool IsNumericText(const QString& text)
{
    return text.isEmpty() || (text.at(0) >= u'0' && text.at(0) <= u'9');
}

namespace {

bool mustEncode(char32_t c, UrlPart part)
{
    if (c < U'!' || c >= 0x7F)
        return true;
    switch (c) {
    case U'*':
    case U'<':
    case U'>':
    case U'#':
    case U'%':
    case U'"':
    case U'{':
    case U'}':
    case U'|':
    case U'\\':
    case U'^':
    case U'[':
    case U']':
    case U'`':
        return true;
    case U'+':
        return part == UrlPart::Path;
    default:
        return false;
    }
}

void appendEncoded(QString& out, char32_t c)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = QString::fromUcs4(&c, 1).toUtf8();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        out += QLatin1Char('%');
        out += QLatin1Char(hex[b >> 4]);
        out += QLatin1Char(hex[b & 0x0F]);
    }
}

// A query value: encoded as its part, and an "&" of its own written %26 so
// that a password or a text holding one cannot start a parameter.
QString value(const QString& text)
{
    return encodePart(text, UrlPart::Query).replace(QLatin1Char('&'), QStringLiteral("%26"));
}

QString trimmedBase(const QString& base)
{
    QString trimmed = base.trimmed();
    while (trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return trimmed;
}

Step show(Message message)
{
    return {Step::Kind::Show, message, {}};
}

Step log(const QString& text)
{
    return {Step::Kind::Log, Message::NoValidPassword, text};
}

void checkAccount(const Fields& fields, Plan& plan)
{
    if (fields.user.isEmpty() || fields.password.isEmpty()) {
        plan.steps.append(show(Message::NoValidPassword));
        plan.steps.append(log(QStringLiteral("SMS NoValidPassword")));
    }
}

} // namespace

QString encodePart(const QString& text, UrlPart part)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (mustEncode(c, part))
            appendEncoded(out, c);
        else
            out += QChar(static_cast<char16_t>(c));
    }
    return out;
}

QString encodeUrl(const QString& url)
{
    const qsizetype question = url.indexOf(QLatin1Char('?'));
    if (question < 0)
        return encodePart(url, UrlPart::Path);
    return encodePart(url.left(question), UrlPart::Path) + QLatin1Char('?')
        + encodePart(url.mid(question + 1), UrlPart::Query);
}

QString protectPlusAfterComma(const QString& encodedUrl)
{
    return QString(encodedUrl).replace(QStringLiteral(",+"), QStringLiteral(",%2b"));
}

QString sendUrl(const QString& base, const QString& user, const QString& password,
    const QString& destination, const QString& text, const QString& sender)
{
    const QString url
        = encodePart(trimmedBase(base) + QStringLiteral("/api/sendsms/plain"), UrlPart::Path)
        + QStringLiteral("?user=") + value(user) + QStringLiteral("&password=") + value(password)
        + QStringLiteral("&GSM=") + value(destination) + QStringLiteral("&SMSText=") + value(text)
        + QStringLiteral("&sender=") + value(sender);
    return protectPlusAfterComma(url);
}

QString creditUrl(const QString& base, const QString& user, const QString& password)
{
    return encodePart(trimmedBase(base) + QStringLiteral("/api/command"), UrlPart::Path)
        + QStringLiteral("?username=") + value(user) + QStringLiteral("&password=")
        + value(password) + QStringLiteral("&cmd=CREDITS");
}

Plan InviaSMS(
    const Fields& fields, const QString& base, const std::function<QString(const QString&)>& fill)
{
    Plan plan;
    checkAccount(fields, plan);

    QString destination = fields.destination;
    if (destination.startsWith(QLatin1Char('+'))) {
        destination.remove(QLatin1Char('+'));
        plan.steps.append({Step::Kind::SetDestination, Message::NoValidPassword, destination});
    }
    if (!IsNumericText(destination)) {
        plan.steps.append(show(Message::NoValidNumber));
        plan.steps.append(log(QStringLiteral("SMS NoValidNumber")));
        return plan;
    }
    const qsizetype senderLimit = IsNumericText(fields.sender) ? 14 : 11;
    if (fields.sender.size() > senderLimit) {
        plan.steps.append(show(Message::NoValidMittente));
        plan.steps.append(log(QStringLiteral("SMS NoValidMittente")));
        return plan;
    }
    plan.steps.append(log(QStringLiteral("Sending SMS to ") + destination));
    const QString text = fill ? fill(fields.text) : fields.text;
    plan.url = sendUrl(base, fields.user, fields.password, destination, text, fields.sender);
    return plan;
}

Plan CreditoSMS(const Fields& fields, const QString& base)
{
    Plan plan;
    checkAccount(fields, plan);
    plan.url = creditUrl(base, fields.user, fields.password);
    return plan;
}

QString rewriteAccents(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("à"), QStringLiteral("a'"));
    out.replace(QStringLiteral("è"), QStringLiteral("e'"));
    out.replace(QStringLiteral("é"), QStringLiteral("e'"));
    out.replace(QStringLiteral("ì"), QStringLiteral("i'"));
    out.replace(QStringLiteral("ò"), QStringLiteral("o'"));
    out.replace(QStringLiteral("ù"), QStringLiteral("u'"));
    return out;
}

QString countText(qsizetype length, const QString& sCaratteri)
{
    return QString::number(length) + QLatin1Char(' ') + sCaratteri;
}

bool destinationKeyAccepted(QChar typed)
{
    return typed == QChar(u'\b') || (typed >= u'0' && typed <= u'9');
}

bool senderKeyAccepted(QChar typed, qsizetype currentLength)
{
    return typed == QChar(u'\b') || currentLength < SenderTypingLimit;
}

bool memoKeyAccepted(qsizetype lengthAfter)
{
    return lengthAfter <= MemoLimit;
}

} // namespace SmsGateway
