#include "notify/MimeMessage.h"

#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

namespace MimeMessage {

namespace {

// Header values never carry a line break of their own: one would end the
// header and start another.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

bool plainAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

} // namespace

QStringList splitRecipients(const QString& recipients)
{
    QStringList list;
    for (const QString& part : recipients.split(QLatin1Char(','))) {
        const QString address = oneLine(part).trimmed();
        if (!address.isEmpty())
            list.append(address);
    }
    return list;
}

QString envelopeAddress(const QString& address)
{
    QString text = oneLine(address).trimmed();
    const qsizetype open = text.lastIndexOf(QLatin1Char('<'));
    const qsizetype close = text.lastIndexOf(QLatin1Char('>'));
    if (open >= 0 && close > open)
        text = text.mid(open + 1, close - open - 1).trimmed();
    text.remove(QLatin1Char(' '));
    return text;
}

QByteArray encodeHeaderWord(const QString& text)
{
    const QString line = oneLine(text);
    if (plainAscii(line))
        return line.toLatin1();
    // Encoded words of at most 75 characters, each holding whole UTF-8
    // sequences, folded onto continuation lines.
    const QByteArray prefix = "=?UTF-8?B?";
    const QByteArray suffix = "?=";
    constexpr qsizetype maxBytes = 45; // 60 base64 characters
    QByteArrayList words;
    QByteArray chunk;
    for (qsizetype i = 0; i < line.size(); ++i) {
        QString unit(line.at(i));
        if (line.at(i).isHighSurrogate() && i + 1 < line.size())
            unit.append(line.at(++i));
        const QByteArray bytes = unit.toUtf8();
        if (chunk.size() + bytes.size() > maxBytes) {
            words.append(prefix + chunk.toBase64() + suffix);
            chunk.clear();
        }
        chunk.append(bytes);
    }
    if (!chunk.isEmpty())
        words.append(prefix + chunk.toBase64() + suffix);
    return words.join("\r\n ");
}

QByteArray quotedPrintable(const QByteArray& utf8)
{
    // Line ends of any kind become CR LF first.
    QByteArray text = utf8;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    const QByteArrayList lines = text.split('\n');

    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines.at(n);
        QByteArray encoded;
        qsizetype column = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line.at(i));
            const bool last = i + 1 == line.size();
            // Dots are always encoded, so no line can be taken for the end
            // of the data whatever the server does with them.
            const bool literal = (c >= 33 && c <= 126 && c != '=' && c != '.')
                || ((c == ' ' || c == '\t') && !last);
            QByteArray piece;
            if (literal) {
                piece.append(static_cast<char>(c));
            } else {
                piece.append('=');
                piece.append(hex[c >> 4]);
                piece.append(hex[c & 0x0F]);
            }
            if (column + piece.size() > 75) {
                encoded.append("=\r\n");
                column = 0;
            }
            encoded.append(piece);
            column += piece.size();
        }
        out.append(encoded);
        if (n + 1 < lines.size())
            out.append("\r\n");
    }
    return out;
}

QByteArray dateHeader(const QDateTime& date)
{
    const QLocale c = QLocale::c();
    const int offset = date.offsetFromUtc() / 60;
    const int absOffset = offset < 0 ? -offset : offset;
    return c.toString(date, QStringLiteral("ddd, d MMM yyyy HH:mm:ss ")).toLatin1()
        + (offset < 0 ? "-" : "+") + QByteArray::number(absOffset / 60).rightJustified(2, '0')
        + QByteArray::number(absOffset % 60).rightJustified(2, '0');
}

QByteArray build(const Content& content)
{
    QByteArray message;
    auto header = [&message](const char* name, const QByteArray& value) {
        message.append(name);
        message.append(": ");
        message.append(value);
        message.append("\r\n");
    };
    header("Date", dateHeader(content.date));
    const QString from = oneLine(content.from).trimmed();
    if (!from.isEmpty())
        header("From", encodeHeaderWord(from));
    header("To", encodeHeaderWord(splitRecipients(content.recipients).join(QStringLiteral(", "))));
    header("Subject", encodeHeaderWord(content.subject));
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9.-]+$"));
    const QString host = hostName.match(content.messageIdHost).hasMatch()
        ? content.messageIdHost
        : QStringLiteral("quelmo.invalid");
    header("Message-ID",
        "<" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" + host.toLatin1()
            + ">");
    header("MIME-Version", "1.0");
    header("Content-Type", "text/plain; charset=UTF-8");
    header("Content-Transfer-Encoding", "quoted-printable");
    message.append("\r\n");
    message.append(quotedPrintable(content.body.toUtf8()));
    message.append("\r\n");
    return message;
}

} // namespace MimeMessage
