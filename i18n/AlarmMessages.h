#pragma once

#include "i18n/Language.h"

#include <QString>

class MessageTable;

// The alarm window's message variables, reloaded from its message table at
// creation and after every language switch.
#define QUELMO_ALARM_MESSAGES(X)                                                                   \
    X(sAlarmDisabled)                                                                              \
    X(sCaratteri)                                                                                  \
    X(sNoValidMittente)                                                                            \
    X(sNoValidNumber)                                                                              \
    X(sNoValidPassword)                                                                            \
    X(sNoValidServer)                                                                              \
    X(strsLimiteTemp)                                                                              \
    X(strsNoValidEmail)                                                                            \
    X(strsNoValidEmail2)                                                                           \
    X(sWarningTutnOff1)                                                                            \
    X(sWarningTutnOff2)

struct AlarmMessages
{
#define QUELMO_MESSAGE_MEMBER(id) QString id;
    QUELMO_ALARM_MESSAGES(QUELMO_MESSAGE_MEMBER)
#undef QUELMO_MESSAGE_MEMBER

    void load(const MessageTable& table, Language language);
};
