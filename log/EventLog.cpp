#include "EventLog.h"

#include <QDir>
#include <QFile>
#include <QMutexLocker>

#include <cmath>

namespace {

QString withTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

EventLog::EventLog(Now now, QObject* parent)
    : QObject(parent)
    , m_now(now ? std::move(now) : Now([] { return QDateTime::currentDateTime(); }))
{
}

void EventLog::init(const QString& dataHome, const QString& executableFolder, const QTime& startTime)
{
    QMutexLocker lock(&m_mutex);
    m_sessionTag = sessionTagFor(startTime);
    // An empty data home leaves the folder on the root, as a missing
    // application-data folder does on the desktop this program came from.
    m_dataFolder = (dataHome.isEmpty() ? QString() : QDir::cleanPath(dataHome))
        + QStringLiteral("/Calvenor/Quelmo/");
    QString logFolder = m_dataFolder;
    if (!QDir().mkpath(m_dataFolder))
        logFolder = withTrailingSeparator(executableFolder);
    m_logFile = logFolder + QStringLiteral("Quelmo.log");
    m_updateLog = logFolder + QStringLiteral("update.log");
}

QString EventLog::sessionTagFor(const QTime& startTime)
{
    const double fraction = startTime.msecsSinceStartOfDay() / 86400000.0;
    const auto number = static_cast<long long>(std::llround(fraction * 100000.0));
    return QStringLiteral("[%1] ").arg(number);
}

QString EventLog::formatLine(const QDateTime& when, const QString& tag, const QString& message)
{
    return when.toString(QStringLiteral("dd/MM/yy HH:mm:ss")) + QLatin1Char('\t') + tag + message;
}

void EventLog::logEvent(const QString& message)
{
    const QByteArray bytes = (formatLine(m_now(), m_sessionTag, message) + QStringLiteral("\r\n")).toLocal8Bit();
    QString error;
    bool reportFailure = false;
    bool reportRecovery = false;
    QString path;
    {
        QMutexLocker lock(&m_mutex);
        path = m_logFile;
        const bool ok = appendLine(bytes, &error);
        reportFailure = !ok && !m_failing;
        reportRecovery = ok && m_failing;
        m_failing = !ok;
    }
    if (reportFailure)
        Q_EMIT writeFailed(path, error);
    if (reportRecovery)
        Q_EMIT writeRecovered();
}

bool EventLog::appendLine(const QByteArray& bytes, QString* error)
{
    if (m_logFile.isEmpty()) {
        *error = QStringLiteral("log not initialised");
        return false;
    }
    QFile file(m_logFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *error = file.errorString();
        return false;
    }
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush();
    if (!written || !flushed)
        *error = file.errorString();
    file.close();
    return written && flushed;
}
