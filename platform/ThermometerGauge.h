#pragma once

#include <QWidget>

// A thermometer with a scale, a value, a caption and two peak markers that
// follow the lowest and highest value by themselves.
class ThermometerGauge : public QWidget {
    Q_OBJECT
public:
    explicit ThermometerGauge(const QString& name, QWidget* parent = nullptr);

    void setScale(double minimum, double maximum);
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setSteps(double minorStep, double majorStep);
    double minorStep() const { return m_minorStep; }
    double majorStep() const { return m_majorStep; }

    // Moves the peak markers when the value passes them.
    void setValue(double value);
    double value() const { return m_value; }
    void setPeaks(double low, double high);
    double lowPeak() const { return m_lowPeak; }
    double highPeak() const { return m_highPeak; }

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }

    QSize sizeHint() const override { return {97, 196}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double toY(double value, const QRectF& tube) const;

    double m_minimum = 0;
    double m_maximum = 100;
    double m_minorStep = 5;
    double m_majorStep = 20;
    double m_value = 0;
    double m_lowPeak = 0;
    double m_highPeak = 100;
    QString m_caption;
};
