#pragma once

#include <QString>

#include <optional>

// The rules of the alarm window's fields, without the widgets: limit
// numbers, the comma repair, the cross-field rules and the wait interval.
namespace AlarmFields {

// The number of a limit text ("." as decimal separator), or nothing when the
// text is not a finite decimal number.
std::optional<double> number(const QString& text);
// The number of a partner field in a comparison: 0 while its text is not a
// number (for example just emptied while typing).
double numberOrZero(const QString& text);
// The text with every "," turned into ".".
QString repairCommas(const QString& text);

// Which partner a limit field compares itself with at its commit.
enum class Rule {
    TakeSmallerPartner, // a minimum: takes the maximum's text when that is less than its own
    TakeGreaterPartner, // a maximum or the shutdown threshold: takes the partner's text when that
                        // is greater
    None,
};

// The committed text of a limit field: "0" for a text that is no number,
// then the cross-field rule. A partner text that is no number counts as "0".
QString committedText(const QString& own, const QString& partner, Rule rule);

// The wait interval ------------------------------------------------------

// The replacement of an interval text that is no usable count of seconds:
// "1" for an empty text and for one that reads as zero or less, "31536000"
// for one that is not an integer; nothing when the text is usable as it is.
std::optional<QString> intervalReplacement(const QString& text);
// The seconds of a usable interval text.
qint64 intervalSeconds(const QString& text);

struct Split
{
    qint64 h = 0;
    qint64 m = 0;
    qint64 s = 0;
};
Split split(qint64 seconds);
// "[ 1h 1m 0s ]", "[ 1m 30s ]", "[ 1s ]".
QString intervalLabel(qint64 seconds);
// The wait timer's period for the interval, bounded to what the timer can
// count (a signed 32-bit number of milliseconds).
int waitPeriodMs(qint64 seconds);
// The interval the three selectors give; a text that is no number counts 0.
qint64 selectorSum(const QString& s, const QString& m, const QString& h);

} // namespace AlarmFields
