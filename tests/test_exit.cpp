#include "fixture/ProgramFixture.h"

#include "app/TEsciForm.h"
#include "platform/TextTrayIcon.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The exit window and its password, driven through the main window's close
// query on the real settings file, across program starts.
class TestExit : public QObject
{
    Q_OBJECT

    static constexpr const char* absent = "<absent>";

    static QString messageText(const TEsciForm& window, const QString& id)
    {
        const ExitMessages& m = window.messages;
        if (id == QLatin1String("strsNoPassword"))
            return m.strsNoPassword;
        if (id == QLatin1String("strsWrongPasswordApp"))
            return m.strsWrongPasswordApp;
        if (id == QLatin1String("strsWrongPasswordPref"))
            return m.strsWrongPasswordPref;
        if (id == QLatin1String("strsWrongPasswordReset"))
            return m.strsWrongPasswordReset;
        return QStringLiteral("unknown message ") + id;
    }

    // Plays one showing of the exit window: space-separated actions typed
    // into it ("type=TEXT", "toggle", "exit", "cancel", "reset"). A window
    // still open at the end is closed by its close box.
    static void playShowing(ProgramFixture& f, const QString& actions)
    {
        f.dialogs.modalScripts.push_back([actions](QDialog& dialog) {
            auto& window = static_cast<TEsciForm&>(dialog);
            for (const QString& action : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                if (action.startsWith(QLatin1String("type=")))
                    window.ExitPassword->setText(action.mid(5));
                else if (action == QLatin1String("toggle"))
                    window.ChkExitPassword->click();
                else if (action == QLatin1String("exit"))
                    window.btnExit->click();
                else if (action == QLatin1String("cancel"))
                    window.btAnnula->click();
                else if (action == QLatin1String("reset"))
                    window.btnReset->click();
                else
                    QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
                if (!window.isVisible())
                    return;
            }
        });
        f.main().ExitBtn->click();
    }

private Q_SLOTS:
    void passwordSequences_data()
    {
        QTest::addColumn<QString>(
            "storedOption"); // ExitPasswordON before the first start, or absent
        QTest::addColumn<QString>(
            "storedPassword"); // ExitPassword before the first start, or absent
        QTest::addColumn<QStringList>("steps"); // showings of the exit window, or "restart"
        QTest::addColumn<QStringList>("outcomes"); // per showing: closed or running
        QTest::addColumn<QStringList>("shown"); // message ids, in order
        QTest::addColumn<QString>("finalOption");
        QTest::addColumn<QString>("finalPassword");

        const QStringList none;
        QTest::newRow("first run: Exit closes, option stored off, no password")
            << absent << absent << QStringList{"exit"} << QStringList{"closed"} << none << "0"
            << absent;
        QTest::newRow("new password closes now and is demanded from the next start")
            << absent << absent
            << QStringList{"type=Segreto toggle exit", "restart", "exit", "type=segreto exit",
                   "type=Segreto exit"}
            << QStringList{"closed", "running", "running", "closed"}
            << QStringList{"strsWrongPasswordApp", "strsWrongPasswordApp"} << "1"
            << "Segreto";
        QTest::newRow("a new password can still change within its first run")
            << absent << absent << QStringList{"type=primo toggle cancel", "type=secondo exit"}
            << QStringList{"running", "closed"} << none << "1"
            << "secondo";
        QTest::newRow("stored password, option on: a wrong text never overwrites it")
            << "1"
            << "abc" << QStringList{"type=xyz cancel", "type=xyz exit"}
            << QStringList{"running", "running"} << QStringList{"strsWrongPasswordApp"} << "1"
            << "abc";
        QTest::newRow("stored password, option on: the right one closes and is kept")
            << "1"
            << "abc" << QStringList{"type=abc exit"} << QStringList{"closed"} << none << "1"
            << "abc";
        QTest::newRow("stored password, option off: Exit closes")
            << "0"
            << "abc" << QStringList{"exit"} << QStringList{"closed"} << none << "0"
            << "abc";
        QTest::newRow("option change needs the stored password, either way")
            << "1"
            << "abc" << QStringList{"toggle", "type=ABC toggle", "type=abc toggle exit"}
            << QStringList{"running", "running", "closed"}
            << QStringList{"strsWrongPasswordPref", "strsWrongPasswordPref"} << "0"
            << "abc";
        QTest::newRow("stored password, option off: switching on needs it")
            << "0"
            << "abc" << QStringList{"type=abx toggle exit"} << QStringList{"closed"}
            << QStringList{"strsWrongPasswordPref"} << "0"
            << "abc";
        QTest::newRow("no password: the option cannot be switched on with an empty edit")
            << absent << absent << QStringList{"toggle exit"} << QStringList{"closed"}
            << QStringList{"strsNoPassword"} << "0" << absent;
        QTest::newRow("option on, no password, empty edit: it stays on")
            << "1" << absent << QStringList{"toggle cancel"} << QStringList{"running"}
            << QStringList{"strsNoPassword"} << "1" << absent;
        QTest::newRow("reset needs the password, then deletes it for good")
            << "1"
            << "abc" << QStringList{"type=abC reset", "type=abc reset exit", "restart", "exit"}
            << QStringList{"running", "closed", "closed"} << QStringList{"strsWrongPasswordReset"}
            << "0" << absent;
    }

    void passwordSequences()
    {
        QFETCH(QString, storedOption);
        QFETCH(QString, storedPassword);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, outcomes);
        QFETCH(QStringList, shown);
        QFETCH(QString, finalOption);
        QFETCH(QString, finalPassword);

        ProgramFixture f;
        if (storedOption != QLatin1String(absent))
            f.storeSetting(QStringLiteral("ExitPasswordON"), storedOption.toInt());
        if (storedPassword != QLatin1String(absent))
            f.storeSetting(QStringLiteral("ExitPassword"), storedPassword);
        f.start();

        QStringList results;
        for (const QString& step : steps) {
            if (step == QLatin1String("restart")) {
                f.stop();
                f.start();
                continue;
            }
            playShowing(f, step);
            const QStringList log = f.logMessages();
            const bool closed = !log.isEmpty() && log.last() == QLatin1String("Exit");
            results.append(closed ? QStringLiteral("closed") : QStringLiteral("running"));
            // The close query tells its outcome in the log, after the window's own
            // lines and before the settings are saved.
            qsizetype query = log.size() - 1;
            while (query >= 0 && !log.at(query).startsWith(QLatin1String("canCloseQuery: ")))
                --query;
            QVERIFY(query >= 0);
            QCOMPARE(log.at(query), closed ? QStringLiteral("canCloseQuery: -1") : QStringLiteral("canCloseQuery: 0"));
            QVERIFY(log.lastIndexOf(QStringLiteral("Close form")) >= 0);
            if (closed)
                QCOMPARE(log.at(query - 1), QStringLiteral("Close btn"));
        }
        QCOMPARE(results, outcomes);

        QStringList expectedTexts;
        for (const QString& id : shown)
            expectedTexts.append(messageText(f.program->exitWindow(), id));
        QStringList shownTexts;
        for (const TestDialogs::Shown& message : f.dialogs.messages)
            shownTexts.append(message.text);
        QCOMPARE(shownTexts, expectedTexts);

        QCOMPARE(f.storedSetting(QStringLiteral("ExitPasswordON")).toString(), finalOption);
        QCOMPARE(f.hasStoredSetting(QStringLiteral("ExitPassword"))
                ? f.storedSetting(QStringLiteral("ExitPassword")).toString()
                : QString::fromLatin1(absent),
            finalPassword);
    }

    void resetEmptiesTheWindow()
    {
        ProgramFixture f;
        f.storeSetting(QStringLiteral("ExitPasswordON"), 1);
        f.storeSetting(QStringLiteral("ExitPassword"), QStringLiteral("abc"));
        f.start();
        TEsciForm& window = f.program->exitWindow();
        QVERIFY(window.ChkExitPassword->isChecked());
        QCOMPARE(window.StoredExitPassword(), QStringLiteral("abc"));
        playShowing(f, QStringLiteral("type=abc reset"));
        QVERIFY(f.logMessages().contains(QStringLiteral("Reset close pwd")));
        QVERIFY(!window.ChkExitPassword->isChecked());
        QVERIFY(window.ExitPassword->text().isEmpty());
        QVERIFY(window.StoredExitPassword().isEmpty());
        QVERIFY(!f.hasStoredSetting(QStringLiteral("ExitPassword")));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void reduceToIconNeedsAnIcon_data()
    {
        QTest::addColumn<bool>("temperatureIcon");
        QTest::addColumn<bool>("humidityIcon");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("both up") << false << false << false;
        QTest::newRow("temperature down") << true << false << true;
        QTest::newRow("humidity down") << false << true << true;
    }

    void reduceToIconNeedsAnIcon()
    {
        QFETCH(bool, temperatureIcon);
        QFETCH(bool, humidityIcon);
        QFETCH(bool, enabled);
        ProgramFixture f;
        f.start();
        f.main().CheckTempTrayIcon->setChecked(temperatureIcon);
        f.main().CheckRHTrayIcon->setChecked(humidityIcon);
        bool iconEnabled = !enabled;
        QString caption;
        f.dialogs.modalScripts.push_back([&](QDialog& dialog) {
            auto& window = static_cast<TEsciForm&>(dialog);
            iconEnabled = window.btnIcon->isEnabled();
            caption = window.btnIcon->text();
        });
        f.main().ExitBtn->click();
        QCOMPARE(caption, QStringLiteral("Riduci ad icona"));
        QCOMPARE(iconEnabled, enabled);
    }

    void reduceToIconKeepsTheProgramInTheTray()
    {
        ProgramFixture f;
        f.plugSensor();
        f.start();
        TMainForm& main = f.main();
        f.dialogs.modalScripts.push_back(
            [](QDialog& dialog) { static_cast<TEsciForm&>(dialog).btnIcon->click(); });
        main.ExitBtn->click();
        QVERIFY(!main.isVisible());
        QVERIFY(!f.program->exitWindow().isVisible());
        QVERIFY(main.TextTrayTemp->isVisible());
        QCOMPARE(f.logMessages().last(), QStringLiteral("canCloseQuery: 0"));
        // Back from the tray, the program asks again on the next exit.
        main.MostraFinestra1Click();
        QVERIFY(main.isVisible());
        playShowing(f, QStringLiteral("exit"));
        QCOMPARE(f.logMessages().last(), QStringLiteral("Exit"));
    }

    void sitsOnTheMainWindowsMiddle()
    {
        ProgramFixture f;
        f.start();
        QRect main;
        QRect exit;
        f.dialogs.modalScripts.push_back([&](QDialog& dialog) {
            main = f.main().frameGeometry();
            exit = dialog.frameGeometry();
        });
        f.main().ExitBtn->click();
        QCOMPARE(exit.left(), main.left() + main.width() / 2 - exit.width() / 2);
        QCOMPARE(exit.top(), main.top() + main.height() / 2 - exit.height());
    }

    void unopenableSettingsMeanNoPassword()
    {
        ProgramFixture f;
        // The settings folder is a file: the store cannot be opened.
        const QString folder = QFileInfo(f.settingsPath()).path();
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.start();
        TEsciForm& window = f.program->exitWindow();
        QVERIFY(!window.ChkExitPassword->isChecked());
        playShowing(f, QStringLiteral("type=abc toggle exit"));
        QCOMPARE(f.logMessages().last(), QStringLiteral("Exit"));
        QVERIFY(QFileInfo(folder).isFile());
    }
};

QTEST_MAIN(TestExit)
#include "test_exit.moc"
