#include "fixture/ProgramFixture.h"

#include "alarms/TAllarmeForm.h"
#include "platform/StatusShape.h"
#include "platform/TextTrayIcon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// The user moves from the field to another control of the window.
void leave(QWidget* field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

double limitNamed(const AlarmLimits& limits, const QString& name)
{
    if (name == QLatin1String("Tmin"))
        return limits.Tmin;
    if (name == QLatin1String("Tmax"))
        return limits.Tmax;
    if (name == QLatin1String("RHmin"))
        return limits.RHmin;
    if (name == QLatin1String("RHmax"))
        return limits.RHmax;
    if (name == QLatin1String("Tmax_shutdown"))
        return limits.Tmax_shutdown;
    return limits.Tmax_progr;
}

} // namespace

class TestAlarmWindow : public QObject
{
    Q_OBJECT

    struct Started
    {
        ProgramFixture f;
        Started() { f.start(); }
        explicit Started(const QVariantMap& stored)
        {
            for (auto it = stored.begin(); it != stored.end(); ++it)
                f.storeSetting(it.key(), it.value());
            f.start();
        }
        TAllarmeForm& alarm() { return f.program->alarmWindow(); }
        TMainForm& main() { return f.main(); }
        template <class T> T* control(const char* name)
        {
            return alarm().findChild<T*>(QLatin1String(name));
        }
    };

private Q_SLOTS:
    void creationReadsCommitsAndPrepares()
    {
        Started s({{QStringLiteral("Tmin"), QStringLiteral("40")},
            {QStringLiteral("Tmax"), QStringLiteral("30")}});
        TAllarmeForm& a = s.alarm();
        QCOMPARE(a.LimiteTempMin->text(), QStringLiteral("30"));
        QCOMPARE(a.LimiteTempMax->text(), QStringLiteral("30"));
        QCOMPARE(s.main().alarmLimits.Tmin, 30.0);
        QCOMPARE(s.main().alarmLimits.Tmax, 30.0);
        QVERIFY(a.AlarmFormReady);
        QCOMPARE(a.GroupBox1->title(), QStringLiteral("  Limite di Temperatura tollerato (°C) "));
        QCOMPARE(a.AdvOfSel_htipo_emailok->currentIndex(), -1);
        QCOMPARE(a.AdvOfSel_s->count(), 60);
        QCOMPARE(a.AdvOfficePager1->currentWidget(), a.AdvPageAlarm);
        QCOMPARE(a.lblNumChar->text(),
            QString::number(a.TestoSMS->toPlainText().size()) + QStringLiteral(" caratteri"));
        QCOMPARE(a.TestoEmail->toPlainText().split(QLatin1Char('\n')).size(), 9);
        QCOMPARE(a.TestoSMS->toPlainText().split(QLatin1Char('\n')).size(), 4);
        // Missing interval: the wait stays one hour.
        QCOMPARE(s.main().TimerAttesaAllarme.interval(), 3600000);

        const QStringList log = s.f.logMessages();
        const qsizetype first = log.indexOf(QStringLiteral("Alarm setting"));
        QVERIFY(first >= 0);
        QCOMPARE(log.mid(first, 2).last(), QStringLiteral("Reading setting (alarm)..."));
        QVERIFY(log.indexOf(QStringLiteral("Setting read"), first) > first);
        QVERIFY(log.contains(QStringLiteral("LimiteTempMin 30")));
        QVERIFY(log.contains(QStringLiteral("TempStartApp 50")));
    }

    void leavingAFieldCommits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("pasted abc") << "LimiteTempMin"
                                    << "abc"
                                    << "0"
                                    << "Tmin" << 0.0 << "LimiteTempMin 0";
        QTest::newRow("minimum above the maximum") << "LimiteTempMin"
                                                   << "40"
                                                   << "35"
                                                   << "Tmin" << 35.0 << "LimiteTempMin 35";
        QTest::newRow("maximum below the minimum") << "LimiteTempMax"
                                                   << "5"
                                                   << "10"
                                                   << "Tmax" << 10.0 << "LimiteTempMax 10";
        QTest::newRow("shutdown 30 raised to 35") << "EditTempShutdown"
                                                  << "30"
                                                  << "35"
                                                  << "Tmax_shutdown" << 35.0 << "TempShutdown 35";
        QTest::newRow("program start 20 stays") << "EditTempStartApp"
                                                << "20"
                                                << "20"
                                                << "Tmax_progr" << 20.0 << "TempStartApp 20";
        QTest::newRow("humidity 150 accepted") << "LimiteRHMax"
                                               << "150"
                                               << "150"
                                               << "RHmax" << 150.0 << "LimiteRHMax 150";
        QTest::newRow("humidity 12.5") << "LimiteRHMin"
                                       << "12.5"
                                       << "12.5"
                                       << "RHmin" << 12.5 << "LimiteRHMin 12.5";
    }
    void leavingAFieldCommits()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, limit);
        QFETCH(double, value);
        QFETCH(QString, logLine);
        Started s;
        auto* edit = s.control<QLineEdit>(field.toLatin1().constData());
        edit->setText(text);
        // Typed but not committed: the limits in effect stay.
        QCOMPARE(limitNamed(s.main().alarmLimits, limit), limitNamed(AlarmLimits{}, limit));
        leave(edit);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(limitNamed(s.main().alarmLimits, limit), value);
        QCOMPARE(s.f.logMessages().last(), logLine);
    }

    void typingTheMaximumPullsTheShutdownThreshold()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.LimiteTempMax->clear();
        QTest::keyClicks(a.LimiteTempMax, QStringLiteral("60"));
        QCOMPARE(a.EditTempShutdown->text(), QStringLiteral("60"));
        QCOMPARE(s.main().alarmLimits.Tmax_shutdown, 50.0);
        leave(a.EditTempShutdown);
        QCOMPARE(s.main().alarmLimits.Tmax_shutdown, 60.0);
        // An emptied maximum leaves the threshold alone.
        a.LimiteTempMax->clear();
        QCOMPARE(a.EditTempShutdown->text(), QStringLiteral("60"));
    }

    void commaRepairAndKeyFilters()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.LimiteRHMin->setText(QStringLiteral("12,5"));
        QCOMPARE(a.LimiteRHMin->text(), QStringLiteral("12.5"));
        QCOMPARE(a.LimiteRHMin->cursorPosition(), 4);

        a.LimiteTempMin->clear();
        QTest::keyClicks(a.LimiteTempMin, QStringLiteral("1a-2 .,5"));
        QCOMPARE(a.LimiteTempMin->text(), QStringLiteral("12.5"));
        QTest::keyClick(a.LimiteTempMin, Qt::Key_Backspace);
        QCOMPARE(a.LimiteTempMin->text(), QStringLiteral("12."));

        // The integer filter holds only while the regular e-mail runs "ogni".
        a.AdvOfSel_htipo_emailok->setCurrentIndex(0);
        a.IntervalloAllarme->clear();
        QTest::keyClicks(a.IntervalloAllarme, QStringLiteral("9x0"));
        QCOMPARE(a.IntervalloAllarme->text(), QStringLiteral("90"));
        a.AdvOfSel_htipo_emailok->setCurrentIndex(-1);
        a.IntervalloAllarme->setText(QStringLiteral("9"));
        QTest::keyClicks(a.IntervalloAllarme, QStringLiteral("x"));
        QCOMPARE(a.IntervalloAllarme->text(), QStringLiteral("31536000"));
    }

    void interval_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("hms");
        QTest::addColumn<int>("period");
        QTest::newRow("90") << "90"
                            << "90"
                            << "[ 1m 30s ]"
                            << "0 1 30" << 90000;
        QTest::newRow("3660") << "3660"
                              << "3660"
                              << "[ 1h 1m 0s ]"
                              << "1 1 0" << 3660000;
        QTest::newRow("3600") << "3600"
                              << "3600"
                              << "[ 1h 0s ]"
                              << "1 0 0" << 3600000;
        QTest::newRow("0") << "0"
                           << "1"
                           << "[ 1s ]"
                           << "0 0 1" << 1000;
        QTest::newRow("empty") << ""
                               << "1"
                               << "[ 1s ]"
                               << "0 0 1" << 1000;
        QTest::newRow("00 reads as zero") << "00"
                                          << "1"
                                          << "[ 1s ]"
                                          << "0 0 1" << 1000;
        QTest::newRow("negative") << "-5"
                                  << "1"
                                  << "[ 1s ]"
                                  << "0 0 1" << 1000;
        QTest::newRow("no integer: one year, timer at its bound") << "abc"
                                                                  << "31536000"
                                                                  << "[ 8760h 0s ]"
                                                                  << "8760 0 0" << 2147483647;
    }
    void interval()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, label);
        QFETCH(QString, hms);
        QFETCH(int, period);
        Started s;
        TAllarmeForm& a = s.alarm();
        a.IntervalloAllarme->setText(QStringLiteral("7"));
        a.IntervalloAllarme->setText(text);
        QCOMPARE(a.IntervalloAllarme->text(), shown);
        QCOMPARE(a.LabelIntervallo->text(), label);
        QCOMPARE(QStringList({a.AdvOfSel_h->currentText(), a.AdvOfSel_m->currentText(),
                                 a.AdvOfSel_s->currentText()})
                     .join(QLatin1Char(' ')),
            hms);
        QCOMPARE(s.main().TimerAttesaAllarme.interval(), period);
        QVERIFY(s.main().TimerAttesaAllarme.isActive());
        QCOMPARE(s.f.logMessages().last(), QStringLiteral("intervallo min allarme ") + shown);

        // Showing the window keeps a text the timer could not count.
        s.main().AdvBtnImpostazioni->click();
        QCOMPARE(a.IntervalloAllarme->text(), shown);
    }

    void selectorsSetTheInterval()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.AdvOfSel_h->setEditText(QStringLiteral("1"));
        QCOMPARE(a.IntervalloAllarme->text(), QStringLiteral("3600"));
        QCOMPARE(a.AdvOfSel_s->currentText(), QStringLiteral("0"));
        a.AdvOfSel_m->setEditText(QStringLiteral("1"));
        a.AdvOfSel_s->setEditText(QStringLiteral("5"));
        QCOMPARE(a.IntervalloAllarme->text(), QStringLiteral("3665"));
        QCOMPARE(s.main().TimerAttesaAllarme.interval(), 3665000);
    }

    void emailAlarmBoxNeedsAnAddress()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.LblDest->setText(QStringLiteral("abc"));
        a.CheckAllarme->click();
        QVERIFY(!a.CheckAllarme->isChecked());
        QVERIFY(!s.main().CheckAllarmeEmail->isChecked());
        QCOMPARE(s.f.dialogs.messages.size(), 1);
        QCOMPARE(s.f.dialogs.messages.first().text, a.alarmMessages().strsNoValidEmail2);
        QCOMPARE(a.AdvOfficePager1->currentWidget(), a.AdvPageMail);
        QCOMPARE(s.f.logMessages().count(QStringLiteral("CheckAllarmeEmail 0")), 2);

        a.LblDest->setText(QStringLiteral("me@example.org"));
        a.CheckAllarme->click();
        QVERIFY(s.main().CheckAllarmeEmail->isChecked());
        QCOMPARE(s.f.logMessages().last(), QStringLiteral("CheckAllarmeEmail -1"));
        // Nothing is stored by the box itself.
        QVERIFY(!s.f.hasStoredSetting(QStringLiteral("Allarme_email")));
    }

    void mainEmailToggle_data()
    {
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<bool>("on");
        QTest::newRow("empty recipient") << "" << false;
        QTest::newRow("recipient with @") << "me@example.org" << true;
    }
    void mainEmailToggle()
    {
        QFETCH(QString, recipient);
        QFETCH(bool, on);
        Started s;
        s.alarm().LblDest->setText(recipient);
        s.main().CheckAllarmeEmail->click();
        QCOMPARE(s.main().CheckAllarmeEmail->isChecked(), on);
        QCOMPARE(s.alarm().CheckAllarme->isChecked(), on);
        QCOMPARE(s.f.dialogs.messages.size(), on ? 0 : 1);
        if (!on)
            QCOMPARE(s.f.dialogs.messages.first().text, s.main().messages.strsNoValidEmail2);
        QCOMPARE(s.f.storedSetting(QStringLiteral("Allarme_email")).toInt(), on ? 1 : 0);
        QCOMPARE(
            s.f.logMessages().last(), QStringLiteral("CheckAllarmeEmail ") + (on ? "-1" : "0"));
    }

    void storedEmailAlarmWithoutAddressEndsOff()
    {
        Started s({{QStringLiteral("Allarme_email"), 1},
            {QStringLiteral("email"), QStringLiteral("abc")}});
        QVERIFY(!s.alarm().CheckAllarme->isChecked());
        QVERIFY(!s.main().CheckAllarmeEmail->isChecked());
        QCOMPARE(s.f.dialogs.messages.size(), 1);
        QCOMPARE(s.f.dialogs.messages.first().text, s.alarm().alarmMessages().strsNoValidEmail2);
    }

    void popUpMirrors()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        QVERIFY(s.main().MostraPopUp->isChecked());
        s.main().MostraPopUp->click();
        QVERIFY(!a.chkPopUp->isChecked());
        QCOMPARE(s.f.storedSetting(QStringLiteral("popup")).toInt(), 0);
        a.chkPopUp->click();
        QVERIFY(s.main().MostraPopUp->isChecked());
        QCOMPARE(s.f.storedSetting(QStringLiteral("popup")).toInt(), 0);
    }

    void shutdownConfirmation_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void shutdownConfirmation()
    {
        QFETCH(bool, answer);
        Started s;
        TAllarmeForm& a = s.alarm();
        s.f.dialogs.confirmAnswers.push_back(answer);
        a.ChkShutDown->click();
        QCOMPARE(a.ChkShutDown->isChecked(), answer);
        QCOMPARE(s.f.dialogs.confirmations,
            QList<QString>{a.alarmMessages().sWarningTutnOff1 + QStringLiteral("\n\r")
                + a.alarmMessages().sWarningTutnOff2});
        QCOMPARE(
            s.f.logMessages().last(), QStringLiteral("Auto ShutDown ") + (answer ? "-1" : "0"));
    }

    void recipientLeftEmptyTurnsTheAlarmOff()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.LblDest->setText(QStringLiteral("me@example.org"));
        a.CheckAllarme->click();
        a.LblDest->clear();
        leave(a.LblDest);
        QVERIFY(!a.CheckAllarme->isChecked());
        QVERIFY(!s.main().CheckAllarmeEmail->isChecked());
        QCOMPARE(s.f.dialogs.messages.size(), 1);
        QCOMPARE(s.f.dialogs.messages.last().text, a.alarmMessages().sAlarmDisabled);
        // Told again whenever the recipient is empty, from the SMS number too.
        leave(a.edtDestSMS);
        QCOMPARE(s.f.dialogs.messages.size(), 2);
        // Switching to another window is not leaving the field.
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(a.LblDest, &away);
        QCOMPARE(s.f.dialogs.messages.size(), 2);
    }

    void passwordDeletedOnSave()
    {
        Started s({{QStringLiteral("smtppass"), QStringLiteral("secret")},
            {QStringLiteral("save_smtppass"), 1},
            {QStringLiteral("sms_pass"), QStringLiteral("p2")},
            {QStringLiteral("save_smspass"), 1}});
        TAllarmeForm& a = s.alarm();
        QCOMPARE(a.Lblpassword->text(), QStringLiteral("secret"));
        QVERIFY(a.chkSavePassword->isChecked());
        s.f.dialogs.modalScripts.push_back([&a](QDialog&) {
            a.chkSavePassword->click();
            a.OK->click();
        });
        s.main().AdvBtnImpostazioni->click();
        QCOMPARE(s.f.dialogs.modalWindows, QList<QString>{QStringLiteral("TAllarmeForm")});
        QVERIFY(!a.isVisible());
        QVERIFY(!s.f.hasStoredSetting(QStringLiteral("smtppass")));
        QCOMPARE(s.f.storedSetting(QStringLiteral("sms_pass")).toString(), QStringLiteral("p2"));
        QCOMPARE(a.Lblpassword->text(), QStringLiteral("secret"));
        QCOMPARE(s.f.storedSetting(QStringLiteral("save_smtppass")).toInt(), 0);
    }

    void saveWritesTheControls()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.SaveAlarmSettings();
        QCOMPARE(s.f.storedSetting(QStringLiteral("Tmin")).toString(), QStringLiteral("10"));
        QCOMPARE(s.f.storedSetting(QStringLiteral("RHmax")).toString(), QStringLiteral("100"));
        QCOMPARE(s.f.storedSetting(QStringLiteral("intervallo")).toString(), QString());
        QCOMPARE(s.f.storedSetting(QStringLiteral("tipo_emailOK")).toInt(), -1);
        QCOMPARE(s.f.storedSetting(QStringLiteral("email_auth")).toInt(), 1);
        QCOMPARE(s.f.storedSetting(QStringLiteral("intervallo_emailOK")).toString(),
            QStringLiteral("24"));
        QCOMPARE(s.f.storedSetting(QStringLiteral("oggetto")).toString(),
            QStringLiteral("Allarme Temperatura/Umidità"));
        const QString text = s.f.storedSetting(QStringLiteral("testo")).toString();
        QCOMPARE(text.count(QStringLiteral("\r\n")), 8);
        QVERIFY(text.endsWith(QStringLiteral("Data e Ora: $data$")));
        QVERIFY(!s.f.hasStoredSetting(QStringLiteral("smtppass")));

        // What was saved comes back in the next run.
        a.LimiteTempMax->setText(QStringLiteral("31.5"));
        a.IntervalloAllarme->setText(QStringLiteral("90"));
        a.TestoSMS->setPlainText(QStringLiteral("a\nb"));
        a.SaveAlarmSettings();
        s.f.stop();
        s.f.start();
        TAllarmeForm& again = s.alarm();
        QCOMPARE(again.LimiteTempMax->text(), QStringLiteral("31.5"));
        QCOMPARE(s.main().alarmLimits.Tmax, 31.5);
        QCOMPARE(again.TestoSMS->toPlainText(), QStringLiteral("a\nb"));
        QCOMPARE(s.main().TimerAttesaAllarme.interval(), 90000);
    }

    void showingMirrorsCentresAndGreys()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        a.LblDest->setText(QStringLiteral("me@example.org"));
        s.main().CheckAllarmeEmail->setChecked(true);
        a.shStatoEmail->setColour(Qt::red);
        QRect seen;
        s.f.dialogs.modalScripts.push_back(
            [&seen](QDialog& window) { seen = window.frameGeometry(); });
        s.main().AdvBtnImpostazioni->click();
        QVERIFY(a.CheckAllarme->isChecked());
        QCOMPARE(a.IntervalloAllarme->text(), QStringLiteral("3600"));
        QCOMPARE(a.shStatoEmail->colour(), QColor(128, 128, 128));
        const QRect main = s.main().frameGeometry();
        QCOMPARE(seen.left(), main.left() + main.width() / 2 - seen.width() / 2);
        QCOMPARE(seen.top(), main.top() + main.height() / 2 - seen.height() / 2);
    }

    void unitSwitchConvertsLimitsAndThresholds()
    {
        Started s;
        TAllarmeForm& a = s.alarm();
        s.main().cmbGradi->setCurrentIndex(1);
        QCOMPARE(a.LimiteTempMin->text(), QStringLiteral("50"));
        QCOMPARE(a.LimiteTempMax->text(), QStringLiteral("95"));
        QCOMPARE(a.EditTempShutdown->text(), QStringLiteral("122"));
        QCOMPARE(a.EditTempStartApp->text(), QStringLiteral("122"));
        QCOMPARE(s.main().alarmLimits.Tmax, 95.0);
        QCOMPARE(s.main().alarmLimits.Tmax_shutdown, 122.0);
        QCOMPARE(a.GroupBox1->title(), s.main().messages.strsLimiteTemp + QStringLiteral("(°F)  "));
        QCOMPARE(a.LblUnitShutdown->text(), QStringLiteral("°F"));
        s.main().cmbGradi->setCurrentIndex(0);
        QCOMPARE(a.LimiteTempMax->text(), QStringLiteral("35"));
        QCOMPARE(a.GroupBox1->title(), s.main().messages.strsLimiteTemp + QStringLiteral("(°C) "));
        QCOMPARE(a.LblUnitStartApp->text(), QStringLiteral("°C"));
    }

    // Each reading above Tmax shows the balloon through the temperature
    // icon; a reading back within the limits hides it; the e-mail alarm's
    // hold follows the wait timer.
    void readingsShowTheBalloonAndHold()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        TMainForm& main = f.main();
        TextTrayIcon& icon = *main.TextTrayTemp;
        f.push(sensor, ProgramFixture::report(36.2, 50.0));
        QTRY_VERIFY(icon.balloonShown());
        QCOMPARE(icon.balloonTitle(), QStringLiteral("Allarme Temperatura"));
        QCOMPARE(icon.balloonText(),
            QStringLiteral(
                "La temperatura rilevata (36.2 °C) ha superato la soglia impostata (10-35 °C)"));
        QVERIFY(!main.alarmState.AlarmWait);
        f.push(sensor, ProgramFixture::report(25.0, 50.0));
        QTRY_VERIFY(!icon.balloonShown());

        TAllarmeForm& a = f.program->alarmWindow();
        a.LblDest->setText(QStringLiteral("me@example.org"));
        main.CheckAllarmeEmail->click();
        a.LimiteRHMax->setText(QStringLiteral("80"));
        leave(a.LimiteRHMax);
        f.push(sensor, ProgramFixture::report(36.2, 90.0));
        QTRY_VERIFY(icon.balloonShown());
        QCOMPARE(icon.balloonTitle(), QStringLiteral("Allarme Temperatura/Umidità"));
        QCOMPARE(icon.balloonText(),
            QStringLiteral(
                "Temperatura ed umidità rilevate (36.2°C 90.0%) hanno superato le soglie impostate "
                "(10-35°C e 0-80%)")
                + QStringLiteral("\n\r") + main.messages.strsEmailInviata);
        QVERIFY(main.alarmState.AlarmWait);
        const int shown = icon.balloonCount();
        f.push(sensor, ProgramFixture::report(37.0, 50.0));
        QTRY_COMPARE(main.LblTemp->text(), QStringLiteral("37.0 °C"));
        QCOMPARE(icon.balloonCount(), shown);
        main.TimerAttesaAllarmeTimer();
        // The first alarm's e-mail (to a server that is not there) has ended.
        QTRY_VERIFY_WITH_TIMEOUT(!main.EmailBusy(), 20000);
        f.push(sensor, ProgramFixture::report(37.5, 50.0));
        QTRY_COMPARE(icon.balloonCount(), shown + 1);
        QVERIFY(icon.balloonText().startsWith(QStringLiteral("La temperatura rilevata (37.5 °C)")));
        QVERIFY(main.alarmState.AlarmWait);
    }
};

QTEST_MAIN(TestAlarmWindow)
#include "test_alarmwindow.moc"
