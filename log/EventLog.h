#pragma once

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>

// The diagnostic event log: one time-stamped line per call, appended to a
// plain text file that is opened and closed for every line, so the file can
// be read, copied or deleted while the program runs. Safe to call from the
// user-interface thread and from worker threads at once.
class EventLog : public QObject {
    Q_OBJECT
public:
    using Now = std::function<QDateTime()>;

    explicit EventLog(Now now = {}, QObject* parent = nullptr);

    // Fixes the data folder, the log file and the update log for the run.
    // dataHome is the folder under which the program keeps its data
    // ("Calvenor/Quelmo/" is appended); executableFolder is the fall-back
    // when that folder cannot be created.
    void init(const QString& dataHome, const QString& executableFolder, const QTime& startTime);

    // Appends one line. A line that cannot be written is lost and never
    // ends the caller's work; the first failure of a run of failures is
    // reported once through writeFailed, the first success after it through
    // writeRecovered.
    void logEvent(const QString& message);

    QString dataFolder() const { return m_dataFolder; }
    QString logFilePath() const { return m_logFile; }
    QString updateLogPath() const { return m_updateLog; }
    QString sessionTag() const { return m_sessionTag; }

    // "[N] " where N is the fraction of the day elapsed at start-up times
    // 100000, rounded: 0 at midnight, 50000 at noon, at most 100000.
    static QString sessionTagFor(const QTime& startTime);
    // Time stamp, tab, session tag and message (without the line end).
    static QString formatLine(const QDateTime& when, const QString& tag, const QString& message);

Q_SIGNALS:
    void writeFailed(const QString& path, const QString& reason);
    void writeRecovered();

private:
    bool appendLine(const QByteArray& bytes, QString* error);

    Now m_now;
    mutable QMutex m_mutex;
    QString m_dataFolder;
    QString m_logFile;
    QString m_updateLog;
    QString m_sessionTag;
    bool m_failing = false;
};
