#include "AlarmEvaluation.h"

namespace {

// Line feed then carriage return, as every composed notification separates
// its parts.
QString note(const QString& message)
{
    return QStringLiteral("\n\r") + message;
}

} // namespace

AlarmBalloon composeAlarmBalloon(
    bool tempAlarm, bool rhAlarm, const AlarmInputs& in, const AlarmTexts& texts)
{
    const QString space = QStringLiteral(" ");
    if (tempAlarm && rhAlarm) {
        return {texts.strsAllarme + space + texts.strsTempUmi,
            texts.strsTempUmiSuperata + QStringLiteral(" (") + in.temperatureText + in.unitText
                + space + in.humidityText + QStringLiteral("%)") + texts.strsSuperateSoglie
                + QStringLiteral("(") + in.tempMinText + QStringLiteral("-") + in.tempMaxText
                + in.unitText + QStringLiteral(" e ") + in.rhMinText + QStringLiteral("-")
                + in.rhMaxText + QStringLiteral("%)")};
    }
    if (tempAlarm) {
        return {texts.strsAllarme + space + texts.strsTemp,
            texts.strsTempSuperata + QStringLiteral(" (") + in.temperatureText + space + in.unitText
                + QStringLiteral(")") + texts.strsSuperataSoglia + QStringLiteral("(")
                + in.tempMinText + QStringLiteral("-") + in.tempMaxText + space + in.unitText
                + QStringLiteral(")")};
    }
    if (rhAlarm) {
        return {texts.strsAllarme + space + texts.strsUmi,
            texts.strsUmiSuperata + QStringLiteral(" (") + in.humidityText + QStringLiteral("%)")
                + texts.strsSuperataSoglia + QStringLiteral("(") + in.rhMinText
                + QStringLiteral("-") + in.rhMaxText + QStringLiteral("%)")};
    }
    return {};
}

AlarmActions evaluateAlarms(
    AlarmState& state, const AlarmLimits& limits, const AlarmInputs& in, const AlarmTexts& texts)
{
    AlarmActions actions;

    state.PrevTempAlarm = state.TempAlarm;
    state.PrevRhAlarm = state.RhAlarm;
    state.TempAlarm = in.temperature > limits.Tmax || in.temperature < limits.Tmin;
    state.RhAlarm = (in.humidity > limits.RHmax || in.humidity < limits.RHmin) && in.hasHumidity;
    const bool alarm = state.TempAlarm || state.RhAlarm;

    if (!state.AlarmWait) {
        QString notes;
        if (alarm && in.emailAlarm && !in.emailBusy) {
            actions.sendEmail = true;
            notes += note(texts.strsEmailInviata);
        }
        if (alarm && in.smsAlarm) {
            actions.sendSms = true;
            notes += note(texts.strssSMSInviato);
        }
        if (alarm && in.pushAlarm && in.serverEnabled) {
            actions.sendPush = true;
            notes += note(texts.strsPushInviata);
        }
        if (in.popUp) {
            actions.showBalloon = true;
            actions.balloon = composeAlarmBalloon(state.TempAlarm, state.RhAlarm, in, texts);
            actions.balloon.text += notes;
        }
        actions.startProgram = in.temperature > limits.Tmax_progr && in.startProgram;
        if (actions.sendEmail || actions.sendSms || actions.sendPush || actions.startProgram)
            state.AlarmWait = true;
    }

    const bool returned = (state.PrevTempAlarm || state.PrevRhAlarm) && !alarm;
    if (returned && in.emailOnReturn) {
        // A return e-mail that finds a send running waits in the e-mail
        // channel's queue and goes next: it is never dropped.
        actions.sendReturnEmail = true;
        state.AlarmWait = true;
        if (in.popUp) {
            actions.showReturnBalloon = true;
            actions.returnBalloon.text = texts.strsValoriRange;
            if (actions.sendReturnEmail)
                actions.returnBalloon.text += note(texts.strsEmailInviata);
        }
    }

    actions.showCountdown = in.temperature > limits.Tmax_shutdown && in.shutdown;
    return actions;
}
