#pragma once

#include "platform/PowerOff.h"

#include <QList>

// Counts the power-off requests and their flags; never powers anything off.
class TestPowerOff : public PowerOff {
public:
    bool requestPowerOff(int flags) override
    {
        requests.append(flags);
        return accept;
    }
    QList<int> requests;
    bool accept = true;
};
