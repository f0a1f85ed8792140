#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>
#include <limits>

class EventLog;
class QTimer;
struct Reading;

// The timing of the regular-operation e-mail: every N hours ("ogni", mode
// index 0) or once a day at a chosen hour ("alle", any other index). Times
// of day are whole milliseconds since midnight, so the whole seconds between
// two of them never suffer from rounding.
namespace RegularEmail {

// The longest interval the timer holds (a 32-bit signed millisecond count).
inline constexpr qint64 maxIntervalMs = std::numeric_limits<int>::max();

// The hour selector's items: "1" .. "24" for "ogni", "0:00" .. "23:00" for
// "alle".
QStringList hourItems(int modeIndex);

// Whole seconds between two times of day in milliseconds (either order), the
// fraction dropped.
qint64 wholeSecondsBetween(qint64 fromMs, qint64 toMs);

struct Evaluation
{
    bool ok = false;
    QString error; // the conversion error when the hour field is unreadable
    int interval = 0; // milliseconds; 0 means it never ticks
    QTime RegularEmailTime; // "alle": the chosen hour of day
    bool capped = false; // "ogni": the count did not fit the timer
    qint64 requestedMs = 0; // "ogni": the interval before capping
};

// The hour field read in the mode: "ogni" N hours gives N x 3600000 ms;
// "alle" "h:mm" gives the milliseconds to its next occurrence after now,
// whole seconds only, one day when now is that hour exactly.
Evaluation evaluateHourField(int modeIndex, const QString& hourText, const QTime& now);

// The interval after a tick in the "alle" mode (index exactly 1): whole
// seconds from the chosen hour to the same time of day tomorrow as now.
int intervalAfterTick(const QTime& regularEmailTime, const QTime& now);

} // namespace RegularEmail

// The regular-operation handlers' work on the main window's timer
// TimerEmailFunzionamRegolare, for the alarm window's check box and two
// selectors. An interval of 0 keeps the timer stopped (it never ticks).
class RegularEmailSchedule
{
public:
    RegularEmailSchedule(QTimer& timer, EventLog& log);

    // AdvOfSel_h_emailokChange: sets the interval from the hour field
    // (a running timer restarts its count). An unreadable field raises a
    // HandlerError and leaves the timer as it was.
    void AdvOfSel_h_emailokChange(int modeIndex, const QString& hourText, const QTime& now);
    // chkEmailFunzionamRegolareClick, once the address check has passed.
    void chkEmailFunzionamRegolareClick(
        bool on, int modeIndex, const QString& hourText, const QTime& now);
    // TimerEmailFunzionamRegolareTimer: logs, sends, sets the next interval.
    void TimerEmailFunzionamRegolareTimer(int modeIndex, const Reading& reading, const QTime& now,
        const std::function<void()>& SendAlarmEmail);

    QTime RegularEmailTime;
    bool enabled() const { return m_enabled; }

private:
    void applyInterval(int interval);

    QTimer& m_timer;
    EventLog& m_log;
    bool m_enabled = false;
};
