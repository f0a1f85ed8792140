#include "TextTrayIcon.h"

#include <QAccessible>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

TextTrayIcon::TextTrayIcon(const QString& name, const QColor& background, bool desktopHasTray, QObject* parent)
    : QObject(parent)
    , m_background(background)
{
    setObjectName(name);
    if (desktopHasTray) {
        m_icon = new QSystemTrayIcon(this);
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick)
                Q_EMIT doubleClicked();
        });
        connect(m_icon, &QSystemTrayIcon::messageClicked, this, [this] { m_balloonShown = false; });
    }
}

TextTrayIcon::~TextTrayIcon() = default;

void TextTrayIcon::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    refresh();
    QAccessibleValueChangeEvent event(this, text);
    QAccessible::updateAccessibility(&event);
}

void TextTrayIcon::setHint(const QString& hint)
{
    m_hint = hint;
    if (m_icon)
        m_icon->setToolTip(hint);
}

void TextTrayIcon::setVisible(bool visible)
{
    m_visible = visible;
    if (!visible)
        m_balloonShown = false;
    if (m_icon) {
        refresh();
        m_icon->setVisible(visible);
    }
}

void TextTrayIcon::setPopupMenu(QMenu* menu)
{
    m_menu = menu;
    if (m_icon)
        m_icon->setContextMenu(menu);
}

void TextTrayIcon::showBalloon(const QString& title, const QString& text, int timeoutMs)
{
    hideBalloon();
    if (text.isEmpty())
        return;
    m_balloonTitle = title.left(63);
    m_balloonText = text.left(255);
    m_balloonShown = true;
    ++m_balloonCount;
    if (m_icon && m_visible)
        m_icon->showMessage(m_balloonTitle, m_balloonText, QSystemTrayIcon::Information, timeoutMs);
}

void TextTrayIcon::hideBalloon()
{
    m_balloonShown = false;
    m_balloonTitle.clear();
    m_balloonText.clear();
}

QPixmap TextTrayIcon::pixmap(int size) const
{
    QPixmap picture(size, size);
    picture.fill(m_background);
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(m_text.size() > 2 ? size * 5 / 12 : size * 7 / 12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(picture.rect(), Qt::AlignCenter, m_text);
    return picture;
}

void TextTrayIcon::refresh()
{
    if (m_icon && m_visible)
        m_icon->setIcon(QIcon(pixmap(32)));
}
