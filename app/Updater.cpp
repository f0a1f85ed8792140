#include "Updater.h"

#include "platform/Shell.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

Updater::Updater(Fetch fetch, Shell& shell, QString currentVersion, QObject* parent)
    : QObject(parent)
    , m_fetch(std::move(fetch))
    , m_shell(shell)
    , m_currentVersion(std::move(currentVersion))
{
}

Updater::Result Updater::evaluate(
    bool ok, const QByteArray& body, const QString& error, const QString& currentVersion)
{
    Result result;
    if (!ok) {
        result.outcome = Outcome::CannotConnect;
        result.error = error;
        return result;
    }
    result.info = UpdateInfo::parse(body);
    if (!result.info.valid)
        result.outcome = Outcome::NoUpdateOnServer;
    else if (Update::compareVersions(result.info.version, currentVersion) > 0)
        result.outcome = Outcome::NewVersion;
    else
        result.outcome = Outcome::NoNewVersion;
    return result;
}

void Updater::check(std::function<void(const Result&)> done)
{
    const QString url = Update::controlFileUrl(m_server);
    log(QStringLiteral("check ") + url);
    // The reserved .example names stand in until a real server is set; no
    // request to them can ever be answered, so none is sent.
    if (QUrl(url).host().endsWith(QLatin1String(".example"))) {
        log(QStringLiteral("answer: no update server set"));
        Result result;
        result.error = QStringLiteral("no update server set");
        done(result);
        return;
    }
    QPointer<Updater> self(this);
    m_fetch(url, ControlFileLimit, [self, done](bool ok, const QByteArray& body, const QString& error) {
        if (!self)
            return;
        const Result result = evaluate(ok, body, error, self->m_currentVersion);
        if (result.outcome == Outcome::NewVersion)
            self->m_last = result.info;
        self->log(QStringLiteral("answer: ")
            + (result.outcome == Outcome::NewVersion
                    ? QStringLiteral("new version ") + result.info.version
                    : result.outcome == Outcome::NoNewVersion ? QStringLiteral("no new version")
                    : result.outcome == Outcome::NoUpdateOnServer
                    ? QStringLiteral("no update on server")
                    : QStringLiteral("cannot connect: ") + error));
        done(result);
    });
}

void Updater::startBackgroundUpdate(std::function<void(bool, const QString&)> done)
{
    if (!m_last.valid) {
        if (done)
            done(false, QStringLiteral("no update"));
        return;
    }
    const QString url = m_last.packageUrl;
    log(QStringLiteral("download ") + url);
    QPointer<Updater> self(this);
    m_fetch(url, PackageLimit, [self, url, done](bool ok, const QByteArray& body, const QString& error) {
        if (!self)
            return;
        QString text = error;
        bool opened = false;
        if (ok) {
            const QString folder = QDir::tempPath() + QStringLiteral("/quelmo-update-")
                + QString::number(QDateTime::currentMSecsSinceEpoch());
            QDir().mkpath(folder);
            QString name = QUrl(url).fileName();
            if (name.isEmpty())
                name = QStringLiteral("quelmo-update");
            QSaveFile file(folder + QLatin1Char('/') + name);
            if (file.open(QIODevice::WriteOnly) && file.write(body) == body.size()
                && file.commit()) {
                text = file.fileName();
                opened = self->m_shell.openDocument(file.fileName());
            } else {
                text = file.errorString();
            }
        }
        self->log(
            (opened ? QStringLiteral("package opened: ") : QStringLiteral("download failed: "))
            + text);
        if (done)
            done(opened, text);
    });
}

void Updater::log(const QString& line) const
{
    if (m_logFile.isEmpty())
        return;
    QFile file(m_logFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write((QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy HH:mm:ss"))
        + QLatin1Char('\t') + line + QStringLiteral("\r\n"))
                   .toLocal8Bit());
}
