#include "AlarmMessages.h"

#include "i18n/MessageTable.h"

void AlarmMessages::load(const MessageTable& table, Language language)
{
#define QUELMO_LOAD_MESSAGE(id) id = table.text(QStringLiteral(#id), language);
    QUELMO_ALARM_MESSAGES(QUELMO_LOAD_MESSAGE)
#undef QUELMO_LOAD_MESSAGE
}
