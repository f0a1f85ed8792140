// Lists the Italian design texts of every named control of the program's
// windows (captions and hints), as a start for their translation tables.
//   dumptexts > texts.json

#include "fixture/ProgramFixture.h"

#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

namespace {

QString captionOf(QObject* object)
{
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(object))
        return group->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    if (auto* gauge = qobject_cast<ThermometerGauge*>(object))
        return gauge->caption();
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (widget->isWindow())
            return widget->windowTitle();
        if (auto* tabs = qobject_cast<QTabWidget*>(
                widget->parentWidget() ? widget->parentWidget()->parentWidget() : nullptr)) {
            const int index = tabs->indexOf(widget);
            if (index >= 0)
                return tabs->tabText(index);
        }
    }
    return {};
}

QJsonObject dump(QWidget* window)
{
    QJsonObject captions;
    QJsonObject hints;
    QList<QObject*> objects = window->findChildren<QObject*>();
    objects.prepend(window);
    for (QObject* object : objects) {
        if (object->objectName().isEmpty() || object->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // Controls of the windows the main window owns belong to those.
        QObject* owner = object;
        while (owner && !(owner->isWidgetType() && static_cast<QWidget*>(owner)->isWindow()))
            owner = owner->parent();
        if (owner != window && !qobject_cast<QMenu*>(owner))
            continue;
        const QString key = object == window
            ? QString::fromLatin1(window->metaObject()->className())
            : object->objectName();
        const QString caption = captionOf(object);
        if (!caption.isEmpty())
            captions.insert(key, caption);
        QString hint;
        if (auto* widget = qobject_cast<QWidget*>(object))
            hint = widget->toolTip();
        if (auto* icon = qobject_cast<TextTrayIcon*>(object))
            hint = icon->hint();
        if (!hint.isEmpty())
            hints.insert(key, hint);
    }
    return QJsonObject{{QStringLiteral("captions"), captions}, {QStringLiteral("hints"), hints}};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ProgramFixture f;
    f.start();
    QJsonObject all;
    QList<QWidget*> windows{&f.main()};
    for (QObject* child : f.main().children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->isWindow())
            windows.append(widget);
    for (QWidget* window : windows)
        all.insert(QString::fromLatin1(window->metaObject()->className()), dump(window));
    QTextStream(stdout) << QJsonDocument(all).toJson();
    return 0;
}
