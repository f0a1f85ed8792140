#include "MessageTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

static void ensureTablesLinked()
{
    // The tables live in a static library, whose resources are registered
    // only when asked for.
    static const bool registered = [] {
        Q_INIT_RESOURCE(i18n);
        return true;
    }();
    Q_UNUSED(registered);
}

MessageTable MessageTable::load(const QString& resource)
{
    ensureTablesLinked();
    MessageTable table;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QJsonObject messages = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("messages")).toObject();
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        QStringList cells;
        for (const QJsonValue& cell : it.value().toArray())
            cells.append(cell.toString());
        while (cells.size() < 3)
            cells.append(QString());
        table.m_rows.insert(it.key(), cells);
    }
    return table;
}

QString MessageTable::text(const QString& id, Language language) const
{
    const auto row = m_rows.constFind(id);
    if (row == m_rows.constEnd())
        return {};
    const QString& cell = row->at(static_cast<int>(language) - 1);
    return cell.isEmpty() ? row->at(0) : cell;
}
