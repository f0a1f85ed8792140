#pragma once

#include "i18n/Language.h"

#include <QString>

class MessageTable;

// The exit window's message variables, reloaded from its message table at
// creation and after every language switch.
#define QUELMO_EXIT_MESSAGES(X)                                                                    \
    X(strsNoPassword)                                                                              \
    X(strsWrongPasswordApp)                                                                        \
    X(strsWrongPasswordPref)                                                                       \
    X(strsWrongPasswordReset)

struct ExitMessages
{
#define QUELMO_MESSAGE_MEMBER(id) QString id;
    QUELMO_EXIT_MESSAGES(QUELMO_MESSAGE_MEMBER)
#undef QUELMO_MESSAGE_MEMBER

    void load(const MessageTable& table, Language language);
};
