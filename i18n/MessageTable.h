#pragma once

#include "i18n/Language.h"

#include <QHash>
#include <QString>
#include <QStringList>

// One window's messages by id, in the three languages.
class MessageTable {
public:
    // Loads the "messages" section of a window's translation table.
    static MessageTable load(const QString& resource);

    // The active language's text; the Italian one when that cell is empty.
    QString text(const QString& id, Language language) const;
    bool contains(const QString& id) const { return m_rows.contains(id); }
    QStringList ids() const { return m_rows.keys(); }

private:
    QHash<QString, QStringList> m_rows; // id -> Italian, English, Spanish
};
