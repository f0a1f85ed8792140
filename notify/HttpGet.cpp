#include "HttpGet.h"

#include <curl/curl.h>

#include <mutex>

namespace {

struct Transfer
{
    QByteArray body;
    qsizetype maxBytes = 0;
    bool overLimit = false;
    const std::atomic_bool* cancel = nullptr;
};

size_t writeBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body.size() + static_cast<qsizetype>(bytes) > transfer->maxBytes) {
        transfer->overLimit = true;
        return 0; // ends the transfer with a write error
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<const Transfer*>(user);
    return transfer->cancel && transfer->cancel->load() ? 1 : 0;
}

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

HttpAnswer httpGet(
    const QString& url, const HttpLimits& limits, const std::atomic_bool* cancel) noexcept
{
    HttpAnswer answer;
    try {
        initialiseOnce();
        CURL* curl = curl_easy_init();
        if (!curl) {
            answer.error = QStringLiteral("HTTP client not available");
            return answer;
        }
        Transfer transfer;
        transfer.maxBytes = limits.maxBytes;
        transfer.cancel = cancel;
        char errorText[CURL_ERROR_SIZE] = {};
        const QByteArray address = url.toUtf8();

        curl_easy_setopt(curl, CURLOPT_URL, address.constData());
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectMs));
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalMs));
        // The machine itself is never reached through a proxy.
        curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "Quelmo/" QUELMO_FILE_VERSION);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);

        const CURLcode result = curl_easy_perform(curl);
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_cleanup(curl);

        if (transfer.overLimit) {
            answer.error = QStringLiteral("answer longer than %1 bytes").arg(limits.maxBytes);
        } else if (result == CURLE_ABORTED_BY_CALLBACK) {
            answer.error = QStringLiteral("request cancelled");
        } else if (result != CURLE_OK) {
            answer.error = errorText[0] ? QString::fromUtf8(errorText)
                                        : QString::fromUtf8(curl_easy_strerror(result));
        } else if (status >= 400) {
            answer.error = QStringLiteral("HTTP status %1").arg(status);
            answer.body = std::move(transfer.body);
        } else {
            answer.ok = true;
            answer.body = std::move(transfer.body);
        }
    } catch (...) {
        answer = HttpAnswer{};
        answer.error = QStringLiteral("request failed");
    }
    return answer;
}
