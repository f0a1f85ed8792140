#include "fixture/ProgramFixture.h"

#include "i18n/MessageTable.h"
#include "log/EventLog.h"
#include "readings/MeasurementLog.h"
#include "readings/MeasurementLogFormat.h"
#include "readings/MemoView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestMeasurementLog : public QObject
{
    Q_OBJECT

    struct Running
    {
        ProgramFixture f;
        int sensor = 0;
        explicit Running(const QString& product = QStringLiteral("Tessaro RH"))
        {
            sensor = f.plugSensor(product);
            f.start();
        }
        TMainForm& main() { return f.main(); }
        MemoView& memo() { return *main().LogMemo; }
        // One report, one second after the previous one.
        void report(double celsius, double humidity = 50.0)
        {
            f.push(sensor, ProgramFixture::report(celsius, humidity));
            f.clock.advance(1000);
        }
    };

private Q_SLOTS:
    void memoLines_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<bool>("fahrenheitAfterFirst");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("temperature only") << QStringLiteral("Tessaro") << false
                                          << QStringList{QStringLiteral("09/12/25 12:00:00; 23.45"),
                                                 QStringLiteral("09/12/25 12:00:01; 24")};
        QTest::newRow("with humidity")
            << QStringLiteral("Tessaro RH") << false
            << QStringList{QStringLiteral("09/12/25 12:00:00; 23.45; 50.12"),
                   QStringLiteral("09/12/25 12:00:01; 24; 50.12")};
        QTest::newRow("Fahrenheit from the second")
            << QStringLiteral("Tessaro RH") << true
            << QStringList{QStringLiteral("09/12/25 12:00:00; 23.45; 50.12"),
                   QStringLiteral("09/12/25 12:00:01; 75.2; 50.12")};
    }
    void memoLines()
    {
        QFETCH(QString, product);
        QFETCH(bool, fahrenheitAfterFirst);
        QFETCH(QStringList, lines);
        Running r(product);
        QCOMPARE(r.memo().lineCount(), 0);
        r.report(23.45, 50.12);
        if (fahrenheitAfterFirst)
            r.main().cmbGradi->setCurrentIndex(1);
        r.report(24.0, 50.12);
        QStringList shown;
        for (qsizetype i = 0; i < r.memo().lineCount(); ++i)
            shown << r.memo().line(i);
        QCOMPARE(shown, lines);
    }

    void numberForm_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("two decimals") << 23.45 << QStringLiteral("23.45");
        QTest::newRow("one decimal") << 74.5 << QStringLiteral("74.5");
        QTest::newRow("whole") << 24.0 << QStringLiteral("24");
        QTest::newRow("Fahrenheit of 23.45") << toFahrenheit(23.45) << QStringLiteral("74.21");
        QTest::newRow("negative") << -12.3 << QStringLiteral("-12.3");
    }
    void numberForm()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(MeasurementLogFormat::number(value), text);
    }

    void savedFileLayout_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<int>("reports");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Italian") << Language::Italian << false << 2
                                 << QStringLiteral(";LOG Temperatura/Umidità Rilevata\r\n"
                                                   ";Data/Ora\tTemperatura (°C)\tUmidità (%)\r\n"
                                                   "09/12/25 12:00:00; 21.5; 40\r\n"
                                                   "09/12/25 12:00:01; 21.5; 40\r\n");
        QTest::newRow("English, Fahrenheit")
            << Language::English << true << 1
            << QStringLiteral(";LOG Temperature/Humidity Detected\r\n"
                              ";Date/Time\tTemperature (°F)\tHumidity (%)\r\n"
                              "09/12/25 12:00:00; 70.7; 40\r\n");
        QTest::newRow("empty memo")
            << Language::Italian << false << 0
            << QStringLiteral(";LOG Temperatura/Umidità Rilevata\r\n"
                              ";Data/Ora\tTemperatura (°C)\tUmidità (%)\r\n");
    }
    void savedFileLayout()
    {
        QFETCH(Language, language);
        QFETCH(bool, fahrenheit);
        QFETCH(int, reports);
        QFETCH(QString, expected);
        Running r;
        TMainForm& main = r.main();
        main.language = language;
        main.messages.load(MessageTable::load(QStringLiteral(":/i18n/main.json")), language);
        main.cmbGradi->setCurrentIndex(fahrenheit ? 1 : 0);
        for (int i = 0; i < reports; ++i)
            r.report(21.5, 40.0);

        const QString path = r.f.tempPath() + QStringLiteral("/saved.txt");
        r.f.dialogs.saveAnswers.push_back(path);
        main.AdvBtnSalva->click();
        QCOMPARE(r.f.dialogs.saveRequests.size(), 1);
        QCOMPARE(r.f.dialogs.saveRequests.first().defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(QString::fromLocal8Bit(readAll(path)), expected);
        QCOMPARE(
            r.f.logMessages().last(), QStringLiteral("Saving log \"") + path + QLatin1Char('"'));
        QVERIFY(r.f.dialogs.messages.isEmpty());

        // Cancelling writes and logs nothing.
        const int logged = static_cast<int>(r.f.logMessages().size());
        main.AdvBtnSalva->click();
        QCOMPARE(r.f.logMessages().size(), logged);
    }

    void autoSaveLabel_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("label");
        QTest::newRow("0") << 0 << QStringLiteral("[  ]");
        QTest::newRow("1") << 1 << QStringLiteral("[ 1m ]");
        QTest::newRow("60") << 60 << QStringLiteral("[ 1h  ]");
        QTest::newRow("61") << 61 << QStringLiteral("[ 1h 1m ]");
        QTest::newRow("90") << 90 << QStringLiteral("[ 1h 30m ]");
        QTest::newRow("125") << 125 << QStringLiteral("[ 2h 5m ]");
        QTest::newRow("1440") << 1440 << QStringLiteral("[ 24h  ]");
    }
    void autoSaveLabel()
    {
        QFETCH(int, minutes);
        QFETCH(QString, label);
        QCOMPARE(MeasurementLogFormat::autoSaveLabel(minutes), label);
    }

    void autoSaveInterval_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("timerRuns");
        QTest::addColumn<int>("interval");
        QTest::newRow("2000 becomes 1440") << QStringLiteral("2000") << QStringLiteral("1440")
                                           << QStringLiteral("[ 24h  ]") << true << 1440 * 60000;
        QTest::newRow("empty becomes 0, never fires")
            << QString() << QStringLiteral("0") << QStringLiteral("[  ]") << false << 0;
        QTest::newRow("5") << QStringLiteral("5") << QStringLiteral("5") << QStringLiteral("[ 5m ]")
                           << true << 300000;
    }
    void autoSaveInterval()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, label);
        QFETCH(bool, timerRuns);
        QFETCH(int, interval);
        Running r;
        TMainForm& main = r.main();
        main.chkAutoSaveLog->click();
        QVERIFY(main.TimerAutoSave.isActive());
        QCOMPARE(main.TimerAutoSave.interval(), 60000);
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("AutoSave -1"));

        main.EditAutoSaveLog->setText(typed);
        QCOMPARE(main.EditAutoSaveLog->text(), shown);
        QCOMPARE(main.EditAutoSaveLog->cursorPosition(), shown.size());
        QCOMPARE(main.LblAutoSaveTime->text(), label);
        QCOMPARE(main.TimerAutoSave.isActive(), timerRuns);
        QCOMPARE(main.TimerAutoSave.interval(), interval);
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("AutoSave time ") + shown);

        main.chkAutoSaveLog->click();
        QVERIFY(!main.TimerAutoSave.isActive());
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("AutoSave 0"));
    }

    void intervalKeyFilter()
    {
        Running r;
        QLineEdit* edit = r.main().EditAutoSaveLog;
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("1a-.2"));
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }

    void autoSavePath_data()
    {
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected"); // after the data folder, unless custom
        QTest::newRow("no custom, no code")
            << QString() << QString() << QStringLiteral("AutoSave.log");
        QTest::newRow("sensor code")
            << QString() << QStringLiteral("AB12") << QStringLiteral("AutoSaveAB12.log");
        QTest::newRow("custom path")
            << QStringLiteral("/somewhere/mine.txt") << QStringLiteral("AB12")
            << QStringLiteral("/somewhere/mine.txt");
    }
    void autoSavePath()
    {
        QFETCH(QString, custom);
        QFETCH(QString, code);
        QFETCH(QString, expected);
        Running r;
        TMainForm& main = r.main();
        main.CodiceSens->setEditText(code);
        if (!custom.isEmpty()) {
            r.f.dialogs.saveAnswers.push_back(custom);
            main.AdvGlowButton1->click();
            QVERIFY(!QFile::exists(custom));
        }
        const QString folder = r.f.program->log().dataFolder();
        QVERIFY(folder.endsWith(QStringLiteral("/Calvenor/Quelmo/")));
        const QString path = custom.isEmpty() ? folder + expected : expected;
        QCOMPARE(main.measurementLog().AutoSavePath(), path);

        main.AdvBtnVisualizzaStampa->click();
        QCOMPARE(r.f.shell.calls.size(), 1);
        QCOMPARE(r.f.shell.calls.first().what, QStringLiteral("editor"));
        QCOMPARE(r.f.shell.calls.first().target, path);
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("open autosave: ") + path);
    }

    void autoSaveWritesTheWholeMemo()
    {
        Running r;
        TMainForm& main = r.main();
        main.chkAutoSaveLog->click();
        r.report(22.0, 45.0);
        r.report(22.5, 46.0);
        main.measurementLog().TimerAutoSaveTimer();
        const QString path = main.measurementLog().AutoSavePath();
        QStringList lines = QString::fromLocal8Bit(readAll(path)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(2), QStringLiteral("09/12/25 12:00:00; 22; 45"));
        QCOMPARE(lines.at(3), QStringLiteral("09/12/25 12:00:01; 22.5; 46"));

        // A new Start clears the memo: the next save holds only its readings.
        main.RDbutton->click();
        main.RDbutton->click();
        QCOMPARE(r.memo().lineCount(), 0);
        r.report(23.0, 47.0);
        main.measurementLog().TimerAutoSaveTimer();
        lines = QString::fromLocal8Bit(readAll(path)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(2), QStringLiteral("09/12/25 12:00:02; 23; 47"));
    }

    // A save that fails half-way (here: the file size limit) leaves the
    // earlier file and the memo as they were. By hand it says why in an
    // error box; the automatic save says it in the log and the status bar
    // only, and the next interval succeeds again.
    void failedSaveKeepsEarlierFile()
    {
        Running r;
        TMainForm& main = r.main();
        for (int i = 0; i < 100; ++i)
            r.report(20.0 + i / 100.0, 40.0);
        const QString path = main.measurementLog().AutoSavePath();
        main.measurementLog().TimerAutoSaveTimer();
        const QByteArray earlier = readAll(path);
        QVERIFY(earlier.size() > 2000);
        for (int i = 0; i < 4000; ++i)
            main.LogMemo->appendLine(QStringLiteral("09/12/25 12:00:00; 21.37; 41.25"));
        const qsizetype lines = r.memo().lineCount();

        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const qsizetype logged = r.f.logMessages().size();
        main.measurementLog().TimerAutoSaveTimer();
        QVERIFY(r.f.dialogs.messages.isEmpty());
        QVERIFY(main.statusPanel2->text().startsWith(
            QStringLiteral("Salvataggio automatico non riuscito: ")));
        const QString manual = r.f.tempPath() + QStringLiteral("/manual.txt");
        QFile(manual).open(QIODevice::WriteOnly);
        r.f.dialogs.saveAnswers.push_back(manual);
        main.AdvBtnSalva->click();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(readAll(path), earlier);
        QCOMPARE(readAll(manual), QByteArray());
        QCOMPARE(r.memo().lineCount(), lines);
        const QStringList log = r.f.logMessages().mid(logged);
        QCOMPARE(log.size(), 2);
        QVERIFY(log.first().startsWith(QStringLiteral("Saving log failed \"") + path));
        QCOMPARE(r.f.dialogs.messages.size(), 1);
        QCOMPARE(r.f.dialogs.messages.first().kind, MessageKind::Error);
        QVERIFY(r.f.dialogs.messages.first().text.startsWith(manual + QStringLiteral(": ")));

        main.measurementLog().TimerAutoSaveTimer();
        QCOMPARE(readAll(path).count("\r\n"), lines + 2);
        QVERIFY(main.statusPanel2->text().isEmpty());
    }

    void showHideAndClear()
    {
        Running r;
        TMainForm& main = r.main();
        r.report(22.0);
        QVERIFY(main.LogMemo->isVisible());
        main.BtnVisualizzaLog->click();
        QVERIFY(!main.LogMemo->isVisible());
        main.BtnVisualizzaLog->click();
        QVERIFY(main.LogMemo->isVisible());
        main.BtnClearLog->click();
        QCOMPARE(r.memo().lineCount(), 0);
        QCOMPARE(r.f.logMessages().last(), QStringLiteral("Clear log"));
        // Stopping keeps the memo.
        r.report(22.0);
        main.RDbutton->click();
        QCOMPARE(r.memo().lineCount(), 1);
    }

    void memoSelectsAndCopiesLines()
    {
        Running r;
        MemoView& memo = r.memo();
        QCOMPARE(memo.objectName(), QStringLiteral("LogMemo"));
        QVERIFY(memo.isReadOnly());
        QCOMPARE(memo.geometry(), QRect(32, 96, 227, 100));
        for (int i = 0; i < 50; ++i)
            memo.appendLine(QStringLiteral("line %1").arg(i));
        // New lines keep the view at the end.
        QCOMPARE(memo.firstVisibleLine() + memo.visibleLineCount(), 50);
        QTest::keyClicks(&memo, QStringLiteral("x"));
        QCOMPARE(memo.lineCount(), 50);

        memo.selectLines(3, 5);
        QTest::keySequence(&memo, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("line 3\nline 4\nline 5"));

        memo.verticalScrollBar()->setValue(0);
        QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, QPoint(10, 2));
        QTest::mouseClick(memo.viewport(), Qt::LeftButton, Qt::ShiftModifier,
            QPoint(10, memo.fontMetrics().lineSpacing() + 2));
        QCOMPARE(memo.selectedText(), QStringLiteral("line 0\nline 1"));
        QTest::keySequence(&memo, QKeySequence::SelectAll);
        QCOMPARE(memo.selectedText().count(QLatin1Char('\n')), 49);
    }
};

QTEST_MAIN(TestMeasurementLog)
#include "test_measurementlog.moc"
