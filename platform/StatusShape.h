#pragma once

#include <QColor>
#include <QWidget>

// A small rounded square showing a channel's state by its colour.
class StatusShape : public QWidget {
    Q_OBJECT
public:
    explicit StatusShape(const QString& name, const QColor& colour, QWidget* parent = nullptr);
    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }
    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};
