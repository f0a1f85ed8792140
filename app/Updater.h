#pragma once

#include "app/UpdateInfo.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class EventLog;
class Shell;

// The update component: reads the control file from the update server,
// compares its version with the program's own, and fetches the package
// into a temporary folder, then hands it to the desktop to install.
class Updater : public QObject
{
    Q_OBJECT
public:
    // Fetches one address in the background and answers on the
    // user-interface thread.
    // maxBytes bounds what is read of the answer.
    using Fetch = std::function<void(const QString& url, qsizetype maxBytes,
        std::function<void(bool ok, const QByteArray& body, const QString& error)> done)>;

    static constexpr qsizetype ControlFileLimit = 64 * 1024;
    static constexpr qsizetype PackageLimit = qsizetype(512) * 1024 * 1024;

    enum class Outcome { NewVersion, NoNewVersion, NoUpdateOnServer, CannotConnect };
    struct Result
    {
        Outcome outcome = Outcome::CannotConnect;
        UpdateInfo info;
        QString error;
    };

    Updater(Fetch fetch, Shell& shell, QString currentVersion, QObject* parent = nullptr);

    void setServer(const QString& server) { m_server = server; }
    QString server() const { return m_server; }
    // The update log, written by this component itself.
    void setLogFile(const QString& path) { m_logFile = path; }
    QString currentVersion() const { return m_currentVersion; }

    void check(std::function<void(const Result&)> done);
    // Downloads the newest package found by the last check and opens it.
    void startBackgroundUpdate(std::function<void(bool ok, const QString& text)> done = {});

    static Result evaluate(
        bool ok, const QByteArray& body, const QString& error, const QString& currentVersion);

private:
    void log(const QString& line) const;

    Fetch m_fetch;
    Shell& m_shell;
    QString m_currentVersion;
    QString m_server;
    QString m_logFile;
    UpdateInfo m_last;
};
