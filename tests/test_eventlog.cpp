#include "log/EventLog.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestEventLog : public QObject {
    Q_OBJECT

    static QStringList linesOf(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }

private Q_SLOTS:
    void sessionTag_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("tag");
        QTest::newRow("midnight") << QTime(0, 0, 0) << QStringLiteral("[0] ");
        QTest::newRow("noon") << QTime(12, 0, 0) << QStringLiteral("[50000] ");
        QTest::newRow("within first 0.432 s") << QTime(0, 0, 0, 431) << QStringLiteral("[0] ");
        QTest::newRow("from 0.432 s on") << QTime(0, 0, 0, 433) << QStringLiteral("[1] ");
        QTest::newRow("last 0.432 s of the day") << QTime(23, 59, 59, 700) << QStringLiteral("[100000] ");
        QTest::newRow("just before") << QTime(23, 59, 59, 0) << QStringLiteral("[99999] ");
    }
    void sessionTag()
    {
        QFETCH(QTime, start);
        QFETCH(QString, tag);
        QCOMPARE(EventLog::sessionTagFor(start), tag);
    }

    void lineLayout()
    {
        const QDateTime when(QDate(2025, 12, 9), QTime(12, 0, 0));
        QCOMPARE(EventLog::formatLine(when, QStringLiteral("[50000] "), QStringLiteral("Startup")),
            QStringLiteral("09/12/25 12:00:00\t[50000] Startup"));
        QCOMPARE(EventLog::formatLine(when, QStringLiteral("[50000] "), QString()),
            QStringLiteral("09/12/25 12:00:00\t[50000] "));
    }

    void createsFoldersAndAppendsCrLfLines()
    {
        QTemporaryDir dir;
        const QDateTime when(QDate(2025, 12, 9), QTime(12, 0, 0));
        EventLog log([when] { return when; });
        log.init(dir.path() + QStringLiteral("/data"), dir.path(), when.time());
        QCOMPARE(log.dataFolder(), dir.path() + QStringLiteral("/data/Calvenor/Quelmo/"));
        QCOMPARE(log.logFilePath(), log.dataFolder() + QStringLiteral("Quelmo.log"));
        QCOMPARE(log.updateLogPath(), log.dataFolder() + QStringLiteral("update.log"));
        log.logEvent(QStringLiteral("Startup"));
        log.logEvent(QStringLiteral("Temperatura: 23.5 °C"));

        QFile file(log.logFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
            QStringLiteral("09/12/25 12:00:00\t[50000] Startup\r\n09/12/25 12:00:00\t[50000] Temperatura: 23.5 °C\r\n")
                .toLocal8Bit());
    }

    void deletedFileIsCreatedAgain()
    {
        QTemporaryDir dir;
        EventLog log;
        log.init(dir.path(), dir.path(), QTime(8, 0));
        log.logEvent(QStringLiteral("one"));
        QVERIFY(QFile::remove(log.logFilePath()));
        log.logEvent(QStringLiteral("two"));
        const QStringList lines = linesOf(log.logFilePath());
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().endsWith(QStringLiteral("] two")));
    }

    void unwritableDataFolderFallsBackToExecutableFolder()
    {
        QTemporaryDir dir;
        const QString blocked = dir.path() + QStringLiteral("/blocked");
        QFile plain(blocked); // a file where the folder would go
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString exe = dir.path() + QStringLiteral("/exe");
        QVERIFY(QDir().mkpath(exe));

        EventLog log;
        log.init(blocked, exe, QTime(8, 0));
        QCOMPARE(log.dataFolder(), blocked + QStringLiteral("/Calvenor/Quelmo/"));
        QCOMPARE(log.logFilePath(), exe + QStringLiteral("/Quelmo.log"));
        QCOMPARE(log.updateLogPath(), exe + QStringLiteral("/update.log"));
        log.logEvent(QStringLiteral("Startup"));
        QCOMPARE(linesOf(log.logFilePath()).size(), 1);
    }

    void unwritableFileIsReportedOncePerEpisode()
    {
        QTemporaryDir dir;
        EventLog log;
        log.init(dir.path(), dir.path(), QTime(8, 0));
        QSignalSpy failed(&log, &EventLog::writeFailed);
        QSignalSpy recovered(&log, &EventLog::writeRecovered);

        // A folder in the log file's place makes every write fail.
        QVERIFY(QDir().mkpath(log.logFilePath()));
        log.logEvent(QStringLiteral("lost 1"));
        log.logEvent(QStringLiteral("lost 2"));
        log.logEvent(QStringLiteral("lost 3"));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(recovered.count(), 0);

        QVERIFY(QDir(log.logFilePath()).removeRecursively());
        log.logEvent(QStringLiteral("back"));
        QCOMPARE(recovered.count(), 1);
        QCOMPARE(linesOf(log.logFilePath()), QStringList() << linesOf(log.logFilePath()).value(0));
        QVERIFY(linesOf(log.logFilePath()).value(0).endsWith(QStringLiteral("] back")));
        QVERIFY(QFile::remove(log.logFilePath()));
        QVERIFY(QDir().mkpath(log.logFilePath()));
        log.logEvent(QStringLiteral("lost again"));
        QCOMPARE(failed.count(), 2);
    }

    void threadsNeverInterleaveLines()
    {
        QTemporaryDir dir;
        EventLog log;
        log.init(dir.path(), dir.path(), QTime(8, 0));
        const int perThread = 400;
        auto writer = [&log](const QString& who) {
            for (int i = 0; i < perThread; ++i)
                log.logEvent(who + QLatin1Char(' ') + QString::number(i));
        };
        std::unique_ptr<QThread> worker(QThread::create(writer, QStringLiteral("worker")));
        worker->start();
        writer(QStringLiteral("ui"));
        worker->wait();

        const QStringList lines = linesOf(log.logFilePath());
        QCOMPARE(lines.size(), 2 * perThread);
        static const QRegularExpression shape(
            QStringLiteral("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d\\t\\[\\d+\\] (ui|worker) \\d+$"));
        for (const QString& line : lines)
            QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestEventLog)
#include "test_eventlog.moc"
