#include "ShutdownMessages.h"

#include "i18n/MessageTable.h"

void ShutdownMessages::load(const MessageTable& table, Language language)
{
#define QUELMO_LOAD_MESSAGE(id) id = table.text(QStringLiteral(#id), language);
    QUELMO_SHUTDOWN_MESSAGES(QUELMO_LOAD_MESSAGE)
#undef QUELMO_LOAD_MESSAGE
}
