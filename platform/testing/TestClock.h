#pragma once

#include "platform/Clock.h"

// A clock the test sets and advances.
class TestClock : public Clock {
public:
    QDateTime now() const override { return current; }
    void advance(qint64 milliseconds) { current = current.addMSecs(milliseconds); }
    QDateTime current = QDateTime(QDate(2025, 12, 9), QTime(12, 0, 0));
};
