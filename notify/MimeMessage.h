#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Building the message as it goes on the wire: UTF-8 text, quoted-printable
// body (7-bit lines of at most 76 characters, so any server carries it
// unchanged), the subject as RFC 2047 encoded words where it is not plain
// ASCII, CR LF line ends throughout.
namespace MimeMessage {

struct Content
{
    QString from; // may be empty
    QString recipients; // addresses separated by commas
    QString subject;
    QString body;
    QDateTime date;
    QString messageIdHost; // right-hand side of the Message-ID
};

// The recipients text split at commas, each trimmed, empties dropped.
QStringList splitRecipients(const QString& recipients);
// The bare address of "Name <a@b>" or "a@b", line breaks removed.
QString envelopeAddress(const QString& address);

QByteArray encodeHeaderWord(const QString& text);
QByteArray quotedPrintable(const QByteArray& utf8);
QByteArray dateHeader(const QDateTime& date);

QByteArray build(const Content& content);

} // namespace MimeMessage
