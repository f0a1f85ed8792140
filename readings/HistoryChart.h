#pragma once

#include "i18n/Language.h"
#include "readings/ChartAxes.h"
#include "readings/Reading.h"

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>

class Clock;
class Dialogs;
class EventLog;
class QAbstractButton;
class QComboBox;
class QCustomPlot;
class QLineEdit;
class QMouseEvent;
class QToolButton;
class QWidget;
class SettingsStore;
struct MainMessages;

struct ChartControls
{
    QCustomPlot* Grafico = nullptr;
    QAbstractButton* btnFullScreen = nullptr;
    QAbstractButton* Abilitato2 = nullptr;
    QAbstractButton* Svuota1 = nullptr;
    QAbstractButton* chkTemp = nullptr;
    QAbstractButton* chkRH = nullptr;
    QAbstractButton* DrawAll = nullptr;
    QToolButton* ColorTemp = nullptr;
    QToolButton* ColorRH = nullptr;
    QAbstractButton* AsseVertAutomatico = nullptr;
    QLineEdit* AyMin = nullptr;
    QLineEdit* AyMax = nullptr;
    QAbstractButton* AsseOrizAutomatico = nullptr;
    QAbstractButton* AsseOrizSec = nullptr;
    QAbstractButton* AsseOrizPerc = nullptr;
    QLineEdit* AxValore = nullptr;
    QComboBox* AxValoreMisura = nullptr;
    QLineEdit* AxMin = nullptr;
    QLineEdit* AxMax = nullptr;
    QComboBox* cmbGradi = nullptr;
};

struct ChartContext
{
    EventLog& log;
    const Clock& clock;
    Dialogs* dialogs = nullptr;
    SettingsStore& settings;
    const MainMessages& messages;
    const Language& language;
    QWidget* owner = nullptr; // of the dialogs
    std::function<QDateTime()> acquisitionStart;
};

// The history chart: the temperature and humidity series, their axes and
// every control of the chart page. Points are appended in constant time;
// the automatic axes follow running extremes, so no step of a report walks
// the points.
class HistoryChart : public QObject
{
    Q_OBJECT
public:
    HistoryChart(ChartContext context, ChartControls controls);
    ~HistoryChart() override;

    // One point to each series, while Abilitato2 is down.
    void addPoints(const Reading& reading);
    int pointCount(int series) const;

    void ApplyVerticalAxis();
    void ApplyHorizontalAxis();
    void UpdateChartTitle();
    // Series 1 shown or hidden by the selection of a device.
    void showHumiditySeries(bool shown);
    // The unit switch: every value of series 0 through convert.
    void convertTemperatures(const std::function<double(double)>& convert);

    // The settings' apply step: the toggles' click handlers without storing.
    void applyVerticalAuto();
    void applyHorizontalAuto();
    void applySeriesVisibility();

    QColor temperatureColour() const { return m_colours[0]; }
    QColor humidityColour() const { return m_colours[1]; }
    void setTemperatureColour(const QColor& colour) { setColour(0, colour); }
    void setHumidityColour(const QColor& colour) { setColour(1, colour); }
    // Colours as the store keeps them: 0x00BBGGRR.
    static int toColourRef(const QColor& colour);
    static QColor fromColourRef(int value);

    void chkTempClick();
    void chkRHClick();
    void Svuota1Click();
    void DrawAllClick();
    void ColorTempSelect(const QColor& colour);
    void ColorRHSelect(const QColor& colour);
    void AsseVertAutomaticoClick();
    void AsseOrizAutomaticoClick();
    void AyMinChange();
    void AyMaxChange();
    void AxMinChange();
    void AxMaxChange();
    void AxValoreChange();
    void GraficoDblClick();
    void btnFullScreenClick();
    void AdvBtnStampaClick();
    void AdvBtnEsportaClick();
    // Renders the chart at its on-screen size on white and saves it as BMP.
    void exportBitmap(const QString& path);

    bool isFullScreen() const { return m_fullScreen; }
    // What the point tip shows for the point nearest to pos, empty when
    // no point is near.
    QString pointTipAt(const QPoint& pos) const;

private:
    struct Extremes
    {
        double min = 0;
        double max = 0;
        bool any = false;
        void add(double value);
    };

    void setColour(int series, const QColor& colour);
    void fitAutomaticAxes();
    void requestReplot();
    ChartAxes::Range wholeKeyRange() const;
    void setupColourMenu(QToolButton* button, int series);
    void showPointTip();

    ChartContext m_context;
    ChartControls m_controls;
    QColor m_colours[2];
    Extremes m_values[2];
    QRect m_windowGeometry;
    bool m_fullScreen = false;
    QTimer m_tipTimer;
    QPoint m_tipPos;
};
