#pragma once

#include <QColor>
#include <QWidget>

// A round LED, lit or dark.
class Led : public QWidget {
    Q_OBJECT
public:
    explicit Led(const QString& name, QWidget* parent = nullptr);
    void setActive(bool active);
    bool isActive() const { return m_active; }
    QSize sizeHint() const override { return {20, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_active = false;
};
