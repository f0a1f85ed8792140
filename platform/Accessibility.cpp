#include "Accessibility.h"

#include "platform/Led.h"
#include "platform/StatusShape.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextDocumentFragment>

namespace {

// Set on a control whose accessible name was given here, not by the
// program: that name is ours to renew.
constexpr char kGivenName[] = "quelmoGivenAccessibleName";

QString plainText(const QString& text)
{
    const QString plain
        = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    return plain.simplified();
}

QString numberText(double value)
{
    return QLocale::c().toString(value, 'f', 1);
}

// --- the program's own widgets -------------------------------------------

class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit GaugeAccessible(ThermometerGauge* gauge)
        : QAccessibleWidget(gauge, QAccessible::Indicator)
    {
    }

    ThermometerGauge* gauge() const { return static_cast<ThermometerGauge*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: {
            const QString own = QAccessibleWidget::text(t);
            return own.isEmpty() ? plainText(gauge()->caption()) : own;
        }
        case QAccessible::Value:
            return numberText(gauge()->value());
        case QAccessible::Description:
            return QStringLiteral("%1 .. %2, peaks %3 .. %4")
                .arg(numberText(gauge()->minimum()), numberText(gauge()->maximum()),
                    numberText(gauge()->lowPeak()), numberText(gauge()->highPeak()));
        default:
            return QAccessibleWidget::text(t);
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return gauge()->value(); }
    void setCurrentValue(const QVariant&) override { } // a gauge only shows
    QVariant maximumValue() const override { return gauge()->maximum(); }
    QVariant minimumValue() const override { return gauge()->minimum(); }
    QVariant minimumStepSize() const override { return gauge()->minorStep(); }
};

class LedAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit LedAccessible(Led* led)
        : QAccessibleWidget(led, QAccessible::Indicator)
    {
    }

    Led* led() const { return static_cast<Led*>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = led()->isActive();
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return led()->isActive() ? QStringLiteral("1") : QStringLiteral("0");
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return led()->isActive() ? 1 : 0; }
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override { return 1; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

class ShapeAccessible : public QAccessibleWidget
{
public:
    explicit ShapeAccessible(StatusShape* shape)
        : QAccessibleWidget(shape, QAccessible::Indicator)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        // The colour is the state; its tool tip says what the colour means.
        if (t == QAccessible::Value)
            return static_cast<StatusShape*>(widget())->colour().name();
        if (t == QAccessible::Description)
            return plainText(widget()->toolTip());
        return QAccessibleWidget::text(t);
    }
};

// A notification icon is no widget; it is read as a child of the window
// that owns it: its tip as the name, the short text on it as the value.
class TrayIconAccessible : public QAccessibleObject
{
public:
    explicit TrayIconAccessible(TextTrayIcon* icon)
        : QAccessibleObject(icon)
    {
    }

    TextTrayIcon* icon() const { return static_cast<TextTrayIcon*>(object()); }

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(icon()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !icon()->isVisible();
        s.readOnly = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return icon()->hint().isEmpty() ? icon()->objectName() : plainText(icon()->hint());
        case QAccessible::Value:
            return icon()->text();
        case QAccessible::Description:
            return icon()->balloonShown()
                ? icon()->balloonTitle() + QLatin1Char(' ') + icon()->balloonText()
                : QString();
        default:
            return {};
        }
    }
};

QList<TextTrayIcon*> trayIconsOf(QObject* window)
{
    return window->findChildren<TextTrayIcon*>(Qt::FindDirectChildrenOnly);
}

class WindowWithIconsAccessible : public QAccessibleWidget
{
public:
    explicit WindowWithIconsAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    int childCount() const override
    {
        return QAccessibleWidget::childCount() + int(trayIconsOf(object()).size());
    }

    QAccessibleInterface* child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const QList<TextTrayIcon*> icons = trayIconsOf(object());
        if (index - widgets >= icons.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(icons.at(index - widgets));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child && child->object()) {
            const qsizetype icon
                = trayIconsOf(object()).indexOf(qobject_cast<TextTrayIcon*>(child->object()));
            if (icon >= 0)
                return QAccessibleWidget::childCount() + int(icon);
        }
        return QAccessibleWidget::indexOfChild(child);
    }
};

QAccessibleInterface* programWidgets(const QString&, QObject* object)
{
    if (!object)
        return nullptr;
    if (auto* gauge = qobject_cast<ThermometerGauge*>(object))
        return new GaugeAccessible(gauge);
    if (auto* led = qobject_cast<Led*>(object))
        return new LedAccessible(led);
    if (auto* shape = qobject_cast<StatusShape*>(object))
        return new ShapeAccessible(shape);
    if (auto* icon = qobject_cast<TextTrayIcon*>(object))
        return new TrayIconAccessible(icon);
    if (object->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(object);
        if (widget->isWindow() && !trayIconsOf(widget).isEmpty())
            return new WindowWithIconsAccessible(widget);
    }
    return nullptr;
}

// --- names for controls without a caption --------------------------------

// The label in front of a control in its layout, which is its caption.
QLabel* captionLabel(QWidget* control)
{
    QWidget* parent = control->parentWidget();
    QLayout* layout = parent ? parent->layout() : nullptr;
    if (!layout)
        return nullptr;
    // The layout holding the control may be nested in the parent's.
    QList<QLayout*> layouts{layout};
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        QLayout* current = layouts.at(i);
        const int index = current->indexOf(control);
        if (index >= 0) {
            QLayoutItem* before = nullptr;
            if (auto* grid = qobject_cast<QGridLayout*>(current)) {
                int row, column, rows, columns;
                grid->getItemPosition(index, &row, &column, &rows, &columns);
                before = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
            } else if (qobject_cast<QBoxLayout*>(current) && index > 0) {
                before = current->itemAt(index - 1);
            }
            auto* label = before ? qobject_cast<QLabel*>(before->widget()) : nullptr;
            return label && !label->text().trimmed().isEmpty() ? label : nullptr;
        }
        for (int item = 0; item < current->count(); ++item)
            if (QLayout* inner = current->itemAt(item)->layout())
                layouts.append(inner);
    }
    return nullptr;
}

// "&Web && App" reads "Web & App".
QString withoutMnemonic(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain.append(text.at(i));
    }
    return plain;
}

QString tabCaption(QWidget* page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    const int index = tabs ? tabs->indexOf(page) : -1;
    return index >= 0 ? withoutMnemonic(plainText(tabs->tabText(index))) : QString();
}

// Whether the label before the control in its layout is its caption: not
// for controls whose own text is read, nor for a bar, whose neighbour in a
// row is a state.
bool takesCaptionLabel(QWidget* widget)
{
    return !qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget)
        && !qobject_cast<QGroupBox*>(widget) && !qobject_cast<QProgressBar*>(widget);
}

QString fallbackName(QWidget* widget)
{
    QString name = plainText(widget->toolTip());
    if (name.isEmpty())
        name = tabCaption(widget);
    if (auto* edit = qobject_cast<QLineEdit*>(widget); name.isEmpty() && edit)
        name = plainText(edit->placeholderText());
    if (name.isEmpty())
        name = widget->objectName();
    return name;
}

void nameControl(QWidget* widget)
{
    if (widget->objectName().isEmpty() || widget->isWindow()
        || widget->objectName().startsWith(QLatin1String("qt_")))
        return;
    const bool given = widget->property(kGivenName).toBool();
    if (!given && !widget->accessibleName().isEmpty())
        return; // named by the program itself
    // An empty label has nothing to read; its text names it once it has one.
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->text().trimmed().isEmpty())
        return;
    // A caption beside the control names it, and keeps naming it when the
    // language changes the label's text.
    if (takesCaptionLabel(widget)) {
        if (QLabel* label = captionLabel(widget); label && !label->buddy())
            label->setBuddy(widget);
    }
    if (given)
        widget->setAccessibleName(QString());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    const QString own = iface ? iface->text(QAccessible::Name).trimmed() : QString();
    // Qt falls back on the title of the group a control sits in; its own
    // tool tip tells more.
    auto* group = qobject_cast<QGroupBox*>(widget->parentWidget());
    const bool onlyGroupTitle = group && own == group->title().trimmed()
        && !plainText(widget->toolTip()).isEmpty() && takesCaptionLabel(widget);
    if (!own.isEmpty() && !onlyGroupTitle) {
        widget->setProperty(kGivenName, false);
        return;
    }
    widget->setAccessibleName(fallbackName(widget));
    widget->setProperty(kGivenName, true);
}

class ControlNamer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::ToolTipChange:
        case QEvent::LanguageChange:
            if (watched->isWidgetType())
                nameControl(static_cast<QWidget*>(watched));
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void Accessibility::install()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QAccessible::installFactory(programWidgets);
    qApp->installEventFilter(new ControlNamer(qApp));
}

void Accessibility::nameControls(QWidget* window)
{
    if (!window)
        return;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets)
        nameControl(widget);
}
