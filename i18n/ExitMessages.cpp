#include "ExitMessages.h"

#include "i18n/MessageTable.h"

void ExitMessages::load(const MessageTable& table, Language language)
{
#define QUELMO_LOAD_MESSAGE(id) id = table.text(QStringLiteral(#id), language);
    QUELMO_EXIT_MESSAGES(QUELMO_LOAD_MESSAGE)
#undef QUELMO_LOAD_MESSAGE
}
