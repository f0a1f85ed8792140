#pragma once

#include <QString>

// The alarm limits in effect, committed from the alarm window's fields.
// Temperatures are in the display unit, humidities in percent.
struct AlarmLimits
{
    double Tmin = 10;
    double Tmax = 35;
    double RHmin = 0;
    double RHmax = 100;
    double Tmax_shutdown = 50;
    double Tmax_progr = 50;
};

// The evaluation's flags; all false at start, changed only by the
// evaluation and by the wait timer's tick.
struct AlarmState
{
    bool TempAlarm = false;
    bool RhAlarm = false;
    bool PrevTempAlarm = false;
    bool PrevRhAlarm = false;
    bool AlarmWait = false;
};

// One reading and the switches the evaluation reads at that moment.
struct AlarmInputs
{
    double temperature = 0;
    double humidity = 0;
    QString temperatureText;
    QString humidityText;
    QString unitText;
    bool hasHumidity = false;
    bool emailAlarm = false; // CheckAllarmeEmail down
    bool emailBusy = false; // an e-mail is being sent
    bool smsAlarm = false; // chkSMS
    bool pushAlarm = false; // chkAbilitaPush and chkSendWeb
    bool serverEnabled = false; // sending to the web service is enabled
    bool popUp = false; // MostraPopUp down
    bool emailOnReturn = false; // ChkEmailOK
    bool startProgram = false; // ChkStartProgr
    bool shutdown = false; // ChkShutDown
    // The limit fields' texts as typed, shown in the balloon.
    QString tempMinText;
    QString tempMaxText;
    QString rhMinText;
    QString rhMaxText;
};

// The main window's messages the balloon is composed from.
struct AlarmTexts
{
    QString strsAllarme;
    QString strsTemp;
    QString strsUmi;
    QString strsTempUmi;
    QString strsTempSuperata;
    QString strsUmiSuperata;
    QString strsTempUmiSuperata;
    QString strsSuperataSoglia;
    QString strsSuperateSoglie;
    QString strsEmailInviata;
    QString strssSMSInviato;
    QString strsPushInviata;
    QString strsValoriRange;
};

struct AlarmBalloon
{
    QString title;
    QString text; // empty: no balloon remains shown
};

// What one evaluation asks the main window to do, in this order: e-mail,
// SMS, push, balloon, program, return e-mail, return balloon, countdown.
struct AlarmActions
{
    bool sendEmail = false;
    bool sendSms = false;
    bool sendPush = false;
    bool showBalloon = false;
    AlarmBalloon balloon;
    bool startProgram = false;
    bool sendReturnEmail = false;
    // A return e-mail was due while another send was running; it is dropped.
    bool showReturnBalloon = false;
    AlarmBalloon returnBalloon;
    bool showCountdown = false;
};

// The balloon title and description for the current alarm flags; both
// empty with no alarm.
AlarmBalloon composeAlarmBalloon(
    bool tempAlarm, bool rhAlarm, const AlarmInputs& in, const AlarmTexts& texts);

// One evaluation of a reading. The state is updated at once, the hold
// included, so a reading handled while an action's window is open finds the
// actions already held.
AlarmActions evaluateAlarms(
    AlarmState& state, const AlarmLimits& limits, const AlarmInputs& in, const AlarmTexts& texts);
