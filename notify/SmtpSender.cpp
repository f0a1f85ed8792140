#include "notify/SmtpSender.h"

#include "notify/MimeMessage.h"

#include <QRegularExpression>

#include <curl/curl.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <memory>
#include <mutex>

namespace {

struct Transfer
{
    const SmtpSender::Status* status = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    QByteArray payload;
    qsizetype sent = 0;
    bool connected = false;

    void tell(const QString& text) const
    {
        if (*status)
            (*status)(text);
    }
};

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString addressText(const struct sockaddr* address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(address);
        inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    } else if (address->sa_family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(address);
        inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
    }
    return QString::fromLatin1(text);
}

curl_socket_t openSocket(void* data, curlsocktype purpose, struct curl_sockaddr* address)
{
    auto* transfer = static_cast<Transfer*>(data);
    if (purpose == CURLSOCKTYPE_IPCXN)
        transfer->tell(QStringLiteral("Connecting to %1.").arg(addressText(&address->addr)));
    return socket(address->family, address->socktype, address->protocol);
}

// The server's greeting is the first line it sends: from then on the
// connection stands (for smtps, after the TLS handshake).
int debugText(CURL*, curl_infotype type, char*, size_t, void* data)
{
    auto* transfer = static_cast<Transfer*>(data);
    if (type == CURLINFO_HEADER_IN && !transfer->connected) {
        transfer->connected = true;
        transfer->tell(QStringLiteral("Connected."));
    }
    return 0;
}

size_t readPayload(char* buffer, size_t size, size_t count, void* data)
{
    auto* transfer = static_cast<Transfer*>(data);
    const qsizetype room = static_cast<qsizetype>(size * count);
    const qsizetype left = transfer->payload.size() - transfer->sent;
    const qsizetype n = left < room ? left : room;
    memcpy(buffer, transfer->payload.constData() + transfer->sent, static_cast<size_t>(n));
    transfer->sent += n;
    return static_cast<size_t>(n);
}

int progress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<Transfer*>(data);
    return transfer->cancel && transfer->cancel->load() ? 1 : 0;
}

struct EasyDeleter
{
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

QString domainOf(const QString& address)
{
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    return at < 0 ? QString() : address.mid(at + 1);
}

} // namespace

QString SmtpSender::url(const OutgoingEmail& email)
{
    const QString scheme
        = email.tls == TlsMode::Implicit ? QStringLiteral("smtps") : QStringLiteral("smtp");
    QString host = email.SmtpHost.trimmed();
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return scheme + QStringLiteral("://") + host + QLatin1Char(':')
        + QString::number(email.SmtpPort);
}

SmtpResult SmtpSender::send(
    const SmtpRequest& request, const Status& status, const std::atomic<bool>* cancel)
{
    initialiseCurl();
    const OutgoingEmail& email = request.email;
    Transfer transfer;
    transfer.status = &status;
    transfer.cancel = cancel;

    const QString host = email.SmtpHost.trimmed();
    transfer.tell(QStringLiteral("Resolving hostname %1.").arg(host));
    // A host text that would change the meaning of the address (a path, a
    // user part, blanks) is refused rather than handed on.
    static const QRegularExpression forbidden(QStringLiteral("[/@?#\\\\\\s]"));
    if (host.isEmpty() || forbidden.match(host).hasMatch())
        return {false, QStringLiteral("Invalid SMTP host name \"%1\"").arg(host)};
    const QStringList recipients = MimeMessage::splitRecipients(email.Recipients);
    if (recipients.isEmpty())
        return {false, QStringLiteral("No recipient address")};

    const QString sender = MimeMessage::envelopeAddress(email.Sender);
    MimeMessage::Content content;
    content.from = email.Sender;
    content.recipients = email.Recipients;
    content.subject = email.Subject;
    content.body = email.Body;
    content.date = request.date.isValid() ? request.date : QDateTime::currentDateTime();
    content.messageIdHost = domainOf(sender).isEmpty() ? host : domainOf(sender);
    transfer.payload = MimeMessage::build(content);

    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl)
        return {false, QStringLiteral("The SMTP client could not be created")};
    CURL* c = curl.get();
    std::unique_ptr<curl_slist, ListDeleter> rcpt;
    for (const QString& recipient : recipients) {
        curl_slist* list = curl_slist_append(
            rcpt.get(), MimeMessage::envelopeAddress(recipient).toUtf8().constData());
        if (!list)
            return {false, QStringLiteral("Out of memory")};
        rcpt.release();
        rcpt.reset(list);
    }

    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url(email).toUtf8();
    const QByteArray from = QByteArray("<") + sender.toUtf8() + ">";
    const QByteArray user = email.SmtpUser.toUtf8();
    const QByteArray password = email.SmtpPassword.toUtf8();
    const QByteArray caFile = request.caFile.toLocal8Bit();

    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_USE_SSL,
        email.tls == TlsMode::Explicit ? static_cast<long>(CURLUSESSL_TRY)
                                       : static_cast<long>(CURLUSESSL_NONE));
    curl_easy_setopt(c, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, caFile.constData());
    if (email.auth == AuthMode::Login) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(c, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readPayload);
    curl_easy_setopt(c, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_OPENSOCKETFUNCTION, openSocket);
    curl_easy_setopt(c, CURLOPT_OPENSOCKETDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, debugText);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(request.connectTimeoutSeconds));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(request.sendTimeoutSeconds));

    const CURLcode code = curl_easy_perform(c);

    const bool connected = transfer.connected;
    if (connected)
        transfer.tell(QStringLiteral("Disconnecting."));
    curl.reset(); // closes the connection, with QUIT when it still stands
    if (connected)
        transfer.tell(QStringLiteral("Disconnected."));

    if (code == CURLE_OK)
        return {true, {}};
    QString text = QString::fromUtf8(curl_easy_strerror(code));
    const QString detail = QString::fromUtf8(errorText).trimmed();
    if (!detail.isEmpty() && detail != text)
        text += QStringLiteral(": ") + detail;
    return {false, text};
}
