#pragma once

#include <QColor>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

// A notification-area icon that draws a short text on a coloured square.
// It keeps its state (text, tip, visibility, balloon) also where the
// desktop has no notification area, so the program behaves the same there.
class TextTrayIcon : public QObject {
    Q_OBJECT
public:
    TextTrayIcon(const QString& name, const QColor& background, bool desktopHasTray, QObject* parent = nullptr);
    ~TextTrayIcon() override;

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setHint(const QString& hint);
    QString hint() const { return m_hint; }
    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    void setPopupMenu(QMenu* menu);
    QMenu* popupMenu() const { return m_menu; }
    // Minimising the application hides the window into the notification
    // area while this switch is on.
    void setMinimizeToTray(bool on) { m_minimizeToTray = on; }
    bool minimizeToTray() const { return m_minimizeToTray; }
    QColor background() const { return m_background; }

    // Shows a balloon (information icon); an empty text hides it.
    void showBalloon(const QString& title, const QString& text, int timeoutMs);
    void hideBalloon();
    QString balloonTitle() const { return m_balloonTitle; }
    QString balloonText() const { return m_balloonText; }
    bool balloonShown() const { return m_balloonShown; }
    int balloonCount() const { return m_balloonCount; }

    // The icon as drawn: the text on the coloured square.
    QPixmap pixmap(int size) const;

Q_SIGNALS:
    void doubleClicked();

private:
    void refresh();

    QColor m_background;
    QString m_text;
    QString m_hint;
    bool m_visible = false;
    bool m_minimizeToTray = false;
    QMenu* m_menu = nullptr;
    QSystemTrayIcon* m_icon = nullptr;
    QString m_balloonTitle;
    QString m_balloonText;
    bool m_balloonShown = false;
    int m_balloonCount = 0;
};
