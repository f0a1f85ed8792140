#include "alarms/AlarmEvaluation.h"
#include "i18n/MainMessages.h"
#include "i18n/MessageTable.h"

#include <QTest>

namespace {

AlarmTexts textsIn(Language language)
{
    MainMessages m;
    m.load(MessageTable::load(QStringLiteral(":/i18n/main.json")), language);
    return {m.strsAllarme, m.strsTemp, m.strsUmi, m.strsTempUmi, m.strsTempSuperata,
        m.strsUmiSuperata, m.strsTempUmiSuperata, m.strsSuperataSoglia, m.strsSuperateSoglie,
        m.strsEmailInviata, m.strssSMSInviato, m.strsPushInviata, m.strsValoriRange};
}

AlarmInputs baseInputs()
{
    AlarmInputs in;
    in.hasHumidity = true;
    in.unitText = QStringLiteral("°C");
    in.tempMinText = QStringLiteral("10");
    in.tempMaxText = QStringLiteral("35");
    in.rhMinText = QStringLiteral("0");
    in.rhMaxText = QStringLiteral("80");
    return in;
}

// Switches of a row, one letter each: e e-mail alarm, E e-mail busy, s SMS,
// p push with the server enabled, P push without it, b balloon, r e-mail on
// return, g program start, c shutdown, n no humidity sensor.
AlarmInputs inputsFor(const QString& switches)
{
    AlarmInputs in = baseInputs();
    in.emailAlarm = switches.contains(QLatin1Char('e'));
    in.emailBusy = switches.contains(QLatin1Char('E'));
    in.smsAlarm = switches.contains(QLatin1Char('s'));
    in.pushAlarm = switches.contains(QLatin1Char('p')) || switches.contains(QLatin1Char('P'));
    in.serverEnabled = switches.contains(QLatin1Char('p'));
    in.popUp = switches.contains(QLatin1Char('b'));
    in.emailOnReturn = switches.contains(QLatin1Char('r'));
    in.startProgram = switches.contains(QLatin1Char('g'));
    in.shutdown = switches.contains(QLatin1Char('c'));
    in.hasHumidity = !switches.contains(QLatin1Char('n'));
    return in;
}

// What one evaluation did, one letter each in the order of the actions:
// e e-mail, s SMS, p push, B balloon shown, H balloon hidden, g program,
// r return e-mail, R return balloon, c countdown, then w while held;
// "-" for nothing.
QString code(const AlarmActions& a, const AlarmState& state)
{
    QString out;
    if (a.sendEmail)
        out += QLatin1Char('e');
    if (a.sendSms)
        out += QLatin1Char('s');
    if (a.sendPush)
        out += QLatin1Char('p');
    if (a.showBalloon)
        out += a.balloon.text.isEmpty() ? QLatin1Char('H') : QLatin1Char('B');
    if (a.startProgram)
        out += QLatin1Char('g');
    if (a.sendReturnEmail)
        out += QLatin1Char('r');
    if (a.showReturnBalloon)
        out += QLatin1Char('R');
    if (a.showCountdown)
        out += QLatin1Char('c');
    if (state.AlarmWait)
        out += QLatin1Char('w');
    return out.isEmpty() ? QStringLiteral("-") : out;
}

} // namespace

class TestAlarmEvaluation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Steps: "T/H" a reading of T degrees and H percent, "tick" the wait
    // timer. Limits: 10 to 35 degrees, 0 to 80 %, program above 50 unless
    // given, shutdown above 40.
    void sequences_data()
    {
        QTest::addColumn<QString>("switches");
        QTest::addColumn<double>("programAbove");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");

        QTest::newRow("limits equal are within, one tenth beyond alarms")
            << "b" << 50.0 << "35/50 10/50 35.1/50 9.9/50 35/80 35/0 35/80.1"
            << "H H B B H H B";
        QTest::newRow("no humidity sensor never alarms on humidity") << "bn" << 50.0 << "20/95 20/0"
                                                                     << "H H";
        QTest::newRow("balloon only: shown and hidden, never held")
            << "b" << 50.0 << "36/50 20/50 36/50 36/50"
            << "B H B B";
        QTest::newRow("e-mail fires, holds until the tick")
            << "e" << 50.0 << "36/50 36/50 tick 36/50 36/50"
            << "ew w ew w";
        QTest::newRow("held: no balloon, and an in-range reading hides none")
            << "eb" << 50.0 << "36/50 36/50 20/50 tick 20/50"
            << "eBw w w H";
        QTest::newRow("e-mail busy: no e-mail, no hold") << "eEb" << 50.0 << "36/50 36/50"
                                                         << "B B";
        QTest::newRow("SMS and push") << "sp" << 50.0 << "36/50 tick 20/50"
                                      << "spw -";
        QTest::newRow("push without the server skipped") << "P" << 50.0 << "36/50"
                                                         << "-";
        QTest::newRow("return within limits with ChkEmailOK") << "br" << 50.0 << "36/50 20/50 20/50"
                                                              << "B HrRw w";
        QTest::newRow("return e-mail also while held") << "ebr" << 50.0 << "36/50 20/50"
                                                       << "eBw rRw";
        QTest::newRow("return without ChkEmailOK sends nothing") << "b" << 50.0 << "36/50 20/50"
                                                                 << "B H";
        QTest::newRow("both out, then one: nothing extra; then both in")
            << "r" << 50.0 << "36/90 36/50 20/50"
            << "- - rw";
        QTest::newRow("program above Tmax_progr below Tmax, once per hold")
            << "g" << 30.0 << "31/50 31/50 tick 31/50 29/50"
            << "gw w gw w";
        QTest::newRow("shutdown at every reading, also while held")
            << "ec" << 50.0 << "41/50 41/50 40/50 41/50"
            << "ecw cw w cw";
        QTest::newRow("sensor without humidity after a humidity alarm counts as a return")
            << "r" << 50.0 << "20/95 n 20/95"
            << "- rw";
    }
    void sequences()
    {
        QFETCH(QString, switches);
        QFETCH(double, programAbove);
        QFETCH(QString, steps);
        QFETCH(QString, expected);

        AlarmLimits limits;
        limits.RHmax = 80;
        limits.Tmax_progr = programAbove;
        limits.Tmax_shutdown = 40;
        AlarmInputs in = inputsFor(switches);
        const AlarmTexts texts = textsIn(Language::Italian);
        AlarmState state;
        QStringList results;
        for (const QString& step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("tick")) {
                state.AlarmWait = false;
                continue;
            }
            if (step == QLatin1String("n")) {
                in.hasHumidity = false;
                continue;
            }
            const QStringList values = step.split(QLatin1Char('/'));
            in.temperature = values.at(0).toDouble();
            in.humidity = values.at(1).toDouble();
            results.append(code(evaluateAlarms(state, limits, in, texts), state));
        }
        QCOMPARE(results.join(QLatin1Char(' ')), expected);
    }

    void balloonTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("temp");
        QTest::addColumn<bool>("rh");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const int it = static_cast<int>(Language::Italian);
        const int en = static_cast<int>(Language::English);
        QTest::newRow("Italian temperature")
            << it << true << false << QStringLiteral("Allarme Temperatura")
            << QStringLiteral(
                   "La temperatura rilevata (36.2 °C) ha superato la soglia impostata (10-35 °C)");
        QTest::newRow("Italian humidity")
            << it << false << true << QStringLiteral("Allarme Umidità")
            << QStringLiteral("L'umidità rilevata (85.0%) ha superato la soglia impostata (0-80%)");
        QTest::newRow("Italian both")
            << it << true << true << QStringLiteral("Allarme Temperatura/Umidità")
            << QStringLiteral("Temperatura ed umidità rilevate (36.2°C 85.0%) hanno superato le "
                              "soglie impostate "
                              "(10-35°C e 0-80%)");
        QTest::newRow("English temperature")
            << en << true << false << QStringLiteral("Alarm Temperature")
            << QStringLiteral(
                   "Temperature detected (36.2 °C) has exceeded the threshold set (10-35 °C)");
        QTest::newRow("English humidity")
            << en << false << true << QStringLiteral("Alarm Humidity")
            << QStringLiteral("Humidity detected (85.0%) has exceeded the threshold set (0-80%)");
        QTest::newRow("English both")
            << en << true << true << QStringLiteral("Alarm Temperature/Humidity")
            << QStringLiteral(
                   "Temperature and humidity detected (36.2°C 85.0%) exceeded the thresholds set "
                   "(10-35°C e 0-80%)");
        QTest::newRow("neither") << it << false << false << QString() << QString();
    }
    void balloonTexts()
    {
        QFETCH(int, language);
        QFETCH(bool, temp);
        QFETCH(bool, rh);
        QFETCH(QString, title);
        QFETCH(QString, text);
        AlarmInputs in = baseInputs();
        in.temperatureText = QStringLiteral("36.2");
        in.humidityText = QStringLiteral("85.0");
        const AlarmBalloon balloon
            = composeAlarmBalloon(temp, rh, in, textsIn(static_cast<Language>(language)));
        QCOMPARE(balloon.title, title);
        QCOMPARE(balloon.text, text);
    }

    void balloonListsWhatWasSent()
    {
        const AlarmTexts texts = textsIn(Language::Italian);
        AlarmInputs in = inputsFor(QStringLiteral("espbr"));
        in.temperature = 36.2;
        in.humidity = 50;
        in.temperatureText = QStringLiteral("36.2");
        AlarmState state;
        AlarmActions a = evaluateAlarms(state, AlarmLimits{}, in, texts);
        QCOMPARE(a.balloon.text,
            QStringLiteral(
                "La temperatura rilevata (36.2 °C) ha superato la soglia impostata (10-35 °C)")
                + QStringLiteral("\n\r") + texts.strsEmailInviata + QStringLiteral("\n\r")
                + texts.strssSMSInviato + QStringLiteral("\n\r") + texts.strsPushInviata);

        in.temperature = 20;
        a = evaluateAlarms(state, AlarmLimits{}, in, texts);
        QVERIFY(!a.showBalloon); // held
        QVERIFY(a.showReturnBalloon);
        QCOMPARE(a.returnBalloon.title, QString());
        QCOMPARE(a.returnBalloon.text,
            QStringLiteral("I valori sono rientrati nel range desiderato\n\rE' stata inviata "
                           "un'email di allarme "
                           "all'indirizzo impostato."));
    }

    // A return e-mail due while a send runs is still asked for: the e-mail
    // channel queues it behind the running send.
    void returnEmailWhileBusyIsQueued()
    {
        AlarmInputs in = inputsFor(QStringLiteral("brE"));
        AlarmState state;
        in.temperature = 36;
        evaluateAlarms(state, AlarmLimits{}, in, textsIn(Language::Italian));
        in.temperature = 20;
        const AlarmActions a = evaluateAlarms(state, AlarmLimits{}, in, textsIn(Language::Italian));
        QVERIFY(a.sendReturnEmail);
        QVERIFY(state.AlarmWait);
        QCOMPARE(a.returnBalloon.text,
            QStringLiteral("I valori sono rientrati nel range desiderato\n\rE' stata inviata un'email di allarme all'indirizzo impostato."));
    }
};

QTEST_GUILESS_MAIN(TestAlarmEvaluation)
#include "test_alarmevaluation.moc"
