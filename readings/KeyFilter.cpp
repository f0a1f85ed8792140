#include "KeyFilter.h"

#include "readings/ChartAxes.h"

#include <QKeyEvent>
#include <QLineEdit>

KeyFilter::KeyFilter(QObject* parent, bool decimals)
    : QObject(parent)
    , m_decimals(decimals)
{
}

void KeyFilter::install(QLineEdit* edit, bool decimals)
{
    edit->installEventFilter(new KeyFilter(edit, decimals));
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const QString current = edit ? edit->text() : QString();
    for (QChar typed : text) {
        if (!ChartAxes::acceptsKey(typed, current, m_decimals))
            return true;
    }
    return false;
}
