#include "notify/RegularEmail.h"

#include "log/EventLog.h"
#include "platform/ErrorBoundary.h"
#include "readings/Reading.h"

#include <QLocale>
#include <QTimer>

namespace RegularEmail {

namespace {

constexpr qint64 dayMs = 86400000;

int clampToTimer(qint64 ms)
{
    return static_cast<int>(ms > maxIntervalMs ? maxIntervalMs : ms);
}

qint64 msOfDay(const QTime& time)
{
    return time.msecsSinceStartOfDay();
}

} // namespace

QStringList hourItems(int modeIndex)
{
    QStringList items;
    for (int i = 0; i < 24; ++i)
        items.append(modeIndex == 0 ? QString::number(i + 1) : QStringLiteral("%1:00").arg(i));
    return items;
}

qint64 wholeSecondsBetween(qint64 fromMs, qint64 toMs)
{
    const qint64 difference = toMs > fromMs ? toMs - fromMs : fromMs - toMs;
    return difference / 1000;
}

Evaluation evaluateHourField(int modeIndex, const QString& hourText, const QTime& now)
{
    Evaluation result;
    const QString text = hourText.trimmed();
    if (modeIndex == 0) {
        bool ok = false;
        const qlonglong hours = QLocale::c().toLongLong(text, &ok);
        if (!ok || hours < 0) {
            result.error = QStringLiteral("'%1' is not a valid integer value").arg(hourText);
            return result;
        }
        // Hours above what fits a 64-bit count are capped as well.
        const qint64 limitHours = maxIntervalMs / 3600000 + 1;
        result.requestedMs = (hours > limitHours ? limitHours : hours) * 3600000;
        result.capped = result.requestedMs > maxIntervalMs;
        result.interval = clampToTimer(result.requestedMs);
        result.ok = true;
        return result;
    }
    QTime chosen = QTime::fromString(text, QStringLiteral("H:mm"));
    if (!chosen.isValid())
        chosen = QTime::fromString(text, QStringLiteral("H:mm:ss"));
    if (!chosen.isValid()) {
        result.error = QStringLiteral("'%1' is not a valid time").arg(hourText);
        return result;
    }
    result.RegularEmailTime = chosen;
    const qint64 nowMs = msOfDay(now);
    const qint64 target = nowMs >= msOfDay(chosen) ? msOfDay(chosen) + dayMs : msOfDay(chosen);
    result.interval = clampToTimer(1000 * wholeSecondsBetween(nowMs, target));
    result.ok = true;
    return result;
}

int intervalAfterTick(const QTime& regularEmailTime, const QTime& now)
{
    return clampToTimer(
        1000 * wholeSecondsBetween(msOfDay(regularEmailTime), msOfDay(now) + dayMs));
}

} // namespace RegularEmail

RegularEmailSchedule::RegularEmailSchedule(QTimer& timer, EventLog& log)
    : m_timer(timer)
    , m_log(log)
{
}

void RegularEmailSchedule::applyInterval(int interval)
{
    m_timer.setInterval(interval);
    // A timer of 0 ms would fire whenever the program is idle: it means
    // "never" here.
    if (m_enabled && interval > 0)
        m_timer.start();
    else
        m_timer.stop();
}

void RegularEmailSchedule::AdvOfSel_h_emailokChange(
    int modeIndex, const QString& hourText, const QTime& now)
{
    const RegularEmail::Evaluation evaluation
        = RegularEmail::evaluateHourField(modeIndex, hourText, now);
    if (!evaluation.ok)
        throw HandlerError(evaluation.error);
    if (modeIndex != 0)
        RegularEmailTime = evaluation.RegularEmailTime;
    if (evaluation.capped)
        m_log.logEvent(
            QStringLiteral("EmailFunzionamRegolare Timer capped at %1 ms (%2 hours asked)")
                .arg(evaluation.interval)
                .arg(hourText.trimmed()));
    applyInterval(evaluation.interval);
    m_log.logEvent(QStringLiteral("EmailFunzionamRegolare Timer=") + hourText);
}

void RegularEmailSchedule::chkEmailFunzionamRegolareClick(
    bool on, int modeIndex, const QString& hourText, const QTime& now)
{
    if (on) {
        const bool wasEnabled = m_enabled;
        m_enabled = true;
        try {
            AdvOfSel_h_emailokChange(modeIndex, hourText, now);
        } catch (...) {
            // The timer keeps its previous interval and state.
            m_enabled = wasEnabled;
            throw;
        }
    } else {
        m_enabled = false;
        m_timer.stop();
    }
    m_log.logEvent(QStringLiteral("EmailFunzionamRegolare %1 Tipo=%2 Timer=%3")
                       .arg(on ? QStringLiteral("-1") : QStringLiteral("0"))
                       .arg(modeIndex)
                       .arg(hourText));
}

void RegularEmailSchedule::TimerEmailFunzionamRegolareTimer(int modeIndex, const Reading& reading,
    const QTime& now, const std::function<void()>& SendAlarmEmail)
{
    m_log.logEvent(QStringLiteral("Email funz regolare ") + reading.temperatureText);
    // The next interval is set whatever the send does, so one failed
    // preparation never stops the regular e-mails.
    struct Next
    {
        RegularEmailSchedule& schedule;
        int modeIndex;
        QTime now;
        ~Next()
        {
            if (modeIndex == 1)
                schedule.applyInterval(
                    RegularEmail::intervalAfterTick(schedule.RegularEmailTime, now));
            schedule.m_log.logEvent(
                QStringLiteral("Email funz regolare next=%1").arg(schedule.m_timer.interval()));
        }
    } next{*this, modeIndex, now};
    if (SendAlarmEmail)
        SendAlarmEmail();
}
