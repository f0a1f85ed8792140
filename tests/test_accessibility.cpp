#include "fixture/ProgramFixture.h"

#include "alarms/TAllarmeForm.h"
#include "alarms/TTurnOffForm.h"
#include "app/TAboutForm.h"
#include "app/TEsciForm.h"
#include "platform/Accessibility.h"
#include "platform/Led.h"
#include "platform/StatusShape.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "sensor/TDispInfoForm.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

namespace {

// Every interface reachable from root, root included, as a screen reader
// walks them.
QList<QAccessibleInterface*> walk(QAccessibleInterface* root)
{
    QList<QAccessibleInterface*> found;
    if (!root)
        return found;
    found.append(root);
    for (qsizetype i = 0; i < found.size(); ++i) {
        QAccessibleInterface* iface = found.at(i);
        for (int c = 0; c < iface->childCount(); ++c)
            if (QAccessibleInterface* child = iface->child(c); child && !found.contains(child))
                found.append(child);
    }
    return found;
}

QAccessibleInterface* interfaceOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object)
{
    QAccessibleInterface* iface = interfaceOf(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// A control in the sense of the screen reader: a widget the program named,
// of this window, with something to read (an empty label has nothing).
bool isControl(QWidget* widget, QWidget* window)
{
    if (widget->window() != window || widget->objectName().isEmpty()
        || widget->objectName().startsWith(QLatin1String("qt_")))
        return false;
    auto* label = qobject_cast<QLabel*>(widget);
    return !label || !label->text().trimmed().isEmpty();
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    QWidget* window(ProgramFixture& f, const QString& name)
    {
        QuelmoProgram& p = *f.program;
        const QList<QWidget*> windows{&p.mainForm(), &p.deviceWindow(), &p.alarmWindow(),
            &p.exitWindow(), &p.aboutWindow(), &p.turnOffWindow()};
        for (QWidget* w : windows)
            if (w->objectName() == name)
                return w;
        return nullptr;
    }

private Q_SLOTS:
    void everyControlIsNamed_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* name : {"TMainForm", "TDispInfoForm", "TAllarmeForm", "TEsciForm",
                 "TAboutForm", "TTurnOffForm"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // Walks the window's interfaces from its top: every control of the
    // window is reached, and each has a name to read.
    void everyControlIsNamed()
    {
        QFETCH(QString, window);
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        f.push(sensor, ProgramFixture::report(21.5, 48.0));
        QWidget* w = this->window(f, window);
        QVERIFY2(w, qPrintable(window));

        QSet<QObject*> reached;
        QStringList unnamed;
        for (QAccessibleInterface* iface : walk(interfaceOf(w))) {
            reached.insert(iface->object());
            auto* widget = qobject_cast<QWidget*>(iface->object());
            if (widget && isControl(widget, w)
                && iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.append(widget->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));

        QStringList unreached;
        for (QWidget* widget : w->findChildren<QWidget*>())
            if (isControl(widget, w) && !reached.contains(widget))
                unreached.append(widget->objectName());
        QVERIFY2(unreached.isEmpty(), qPrintable(unreached.join(QStringLiteral(", "))));
    }

    // A page of the ribbon reads as its tab, with the caption as shown.
    void ribbonPagesReadTheirTab()
    {
        ProgramFixture f;
        f.start();
        auto* pages = f.find<QTabWidget>("AdvToolBarPager1");
        QVERIFY(pages);
        for (int i = 0; i < pages->count(); ++i)
            QCOMPARE(nameOf(pages->widget(i)),
                pages->tabText(i).replace(QStringLiteral("&&"), QStringLiteral("&")));
        QCOMPARE(nameOf(f.find<QWidget>("AdvPageWeb")), QStringLiteral("Web & App"));
    }

    void gaugesReadTheirReading()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        f.push(sensor, ProgramFixture::report(23.4, 56.7));
        for (const char* name : {"vrThermoMeterTemp", "vrThermoMeterRH"}) {
            auto* gauge = f.find<ThermometerGauge>(name);
            QVERIFY(gauge);
            QAccessibleInterface* iface = interfaceOf(gauge);
            QVERIFY(iface);
            QCOMPARE(iface->text(QAccessible::Name), gauge->caption());
            QVERIFY(!gauge->caption().isEmpty());
            QAccessibleValueInterface* value = iface->valueInterface();
            QVERIFY(value);
            QCOMPARE(value->currentValue().toDouble(), gauge->value());
            QCOMPARE(value->minimumValue().toDouble(), gauge->minimum());
            QCOMPARE(value->maximumValue().toDouble(), gauge->maximum());
            QCOMPARE(
                iface->text(QAccessible::Value), QLocale::c().toString(gauge->value(), 'f', 1));
        }
        QCOMPARE(
            interfaceOf(f.find<ThermometerGauge>("vrThermoMeterTemp"))->text(QAccessible::Value),
            QStringLiteral("23.4"));
        QCOMPARE(interfaceOf(f.find<ThermometerGauge>("vrThermoMeterRH"))->text(QAccessible::Value),
            QStringLiteral("56.7"));
    }

    // The LED reads as a checked indicator while the sensor is there.
    void ledReadsConnection()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        auto* led = f.find<Led>("iLedPortOpen");
        QVERIFY(led);
        QAccessibleInterface* iface = interfaceOf(led);
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
        QVERIFY(led->isActive());
        QVERIFY(iface->state().checked);
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 1);
        f.hid.unplug(sensor);
        QVERIFY(!led->isActive());
        QVERIFY(!iface->state().checked);
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 0);
    }

    void statusShapesReadTheirColour()
    {
        ProgramFixture f;
        f.start();
        const QList<StatusShape*> shapes = f.main().findChildren<StatusShape*>();
        QVERIFY(!shapes.isEmpty());
        for (StatusShape* shape : shapes) {
            QAccessibleInterface* iface = interfaceOf(shape);
            QVERIFY(!iface->text(QAccessible::Name).isEmpty());
            QCOMPARE(iface->text(QAccessible::Value), shape->colour().name());
            shape->setColour(QColor(0, 255, 0));
            QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("#00ff00"));
        }
    }

    // The notification icons are no widgets: they are read as children of
    // the main window, their tip as the name and the text on them as the
    // value.
    void trayIconsReadThroughTheMainWindow()
    {
        ProgramFixture f;
        const int sensor = f.plugSensor();
        f.start();
        f.push(sensor, ProgramFixture::report(23.4, 56.7));
        QHash<QObject*, QAccessibleInterface*> icons;
        for (QAccessibleInterface* iface : walk(interfaceOf(&f.main())))
            if (qobject_cast<TextTrayIcon*>(iface->object()))
                icons.insert(iface->object(), iface);
        for (TextTrayIcon* icon : {f.main().TextTrayTemp, f.main().TextTrayRH}) {
            QAccessibleInterface* iface = icons.value(icon);
            QVERIFY2(iface, qPrintable(icon->objectName()));
            QCOMPARE(iface->parent(), interfaceOf(&f.main()));
            QCOMPARE(iface->parent()->indexOfChild(iface) >= 0, true);
            QCOMPARE(iface->parent()->child(iface->parent()->indexOfChild(iface)), iface);
            QVERIFY(!icon->hint().isEmpty());
            QCOMPARE(iface->text(QAccessible::Name), icon->hint());
            QCOMPARE(iface->text(QAccessible::Value), icon->text());
        }
        QCOMPARE(
            icons.value(f.main().TextTrayTemp)->text(QAccessible::Value), QStringLiteral("23"));
        QCOMPARE(icons.value(f.main().TextTrayRH)->text(QAccessible::Value), QStringLiteral("57"));
    }

    // Controls without a caption take one from what the window shows
    // around them, and follow it when its text changes (a language switch
    // rewrites tips and labels).
    void namesFollowTheirSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("tool tip") << QStringLiteral("tooltip");
        QTest::newRow("label beside it") << QStringLiteral("label");
        QTest::newRow("nothing: object name") << QStringLiteral("none");
        QTest::newRow("program's own name kept") << QStringLiteral("own");
        QTest::newRow("tool tip before the group's title") << QStringLiteral("group");
    }

    void namesFollowTheirSource()
    {
        QFETCH(QString, source);
        ProgramFixture f;
        f.start(); // installs the program's accessibility
        QWidget window;
        auto* group = new QGroupBox(QStringLiteral("Sensore"), &window);
        auto* grid = new QGridLayout(source == QLatin1String("group") ? group : &window);
        auto* label = new QLabel(QStringLiteral("Intervallo"), &window);
        label->setObjectName(QStringLiteral("LabelInterval"));
        auto* slider = new QSlider;
        slider->setObjectName(QStringLiteral("TrackBar"));
        grid->addWidget(source == QLatin1String("label") ? label : new QWidget, 0, 0);
        grid->addWidget(slider, 0, 1);
        const bool tip = source == QLatin1String("tooltip") || source == QLatin1String("group");
        if (tip)
            slider->setToolTip(QStringLiteral("Intervallo di lettura"));
        if (source == QLatin1String("own"))
            slider->setAccessibleName(QStringLiteral("Ritardo"));
        Accessibility::nameControls(&window);

        if (tip) {
            QCOMPARE(nameOf(slider), QStringLiteral("Intervallo di lettura"));
            slider->setToolTip(QStringLiteral("Reading interval"));
            QCOMPARE(nameOf(slider), QStringLiteral("Reading interval"));
        } else if (source == QLatin1String("label")) {
            QCOMPARE(nameOf(slider), QStringLiteral("Intervallo"));
            label->setText(QStringLiteral("Interval"));
            QCOMPARE(nameOf(slider), QStringLiteral("Interval"));
        } else if (source == QLatin1String("none")) {
            QCOMPARE(nameOf(slider), QStringLiteral("TrackBar"));
            slider->setToolTip(QStringLiteral("Intervallo"));
            QCOMPARE(nameOf(slider), QStringLiteral("Intervallo"));
        } else {
            slider->setToolTip(QStringLiteral("Intervallo"));
            QCOMPARE(nameOf(slider), QStringLiteral("Ritardo"));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
