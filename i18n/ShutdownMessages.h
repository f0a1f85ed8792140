#pragma once

#include "i18n/Language.h"

#include <QString>

class MessageTable;

// The countdown window's message variables, reloaded from its message table
// at creation and after every language switch.
#define QUELMO_SHUTDOWN_MESSAGES(X) X(XsecSpegnim)

struct ShutdownMessages
{
#define QUELMO_MESSAGE_MEMBER(id) QString id;
    QUELMO_SHUTDOWN_MESSAGES(QUELMO_MESSAGE_MEMBER)
#undef QUELMO_MESSAGE_MEMBER

    void load(const MessageTable& table, Language language);
};
