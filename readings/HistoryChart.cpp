#include "platform/ColourSelector.h"
#include "HistoryChart.h"

#include "i18n/MainMessages.h"
#include "log/EventLog.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoundary.h"
#include "readings/KeyFilter.h"
#include "settings/SettingsStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QImageWriter>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QToolButton>
#include <QToolTip>

#include <qcustomplot.h>

namespace {

QString printPreviewTitle(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("Quelmo - Print Preview");
    case Language::Spanish:
        return QStringLiteral("Quelmo - Vista preliminar");
    case Language::Italian:
        break;
    }
    return QStringLiteral("Quelmo - Anteprima di Stampa");
}

QString bitmapFilter(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("Image file (.bmp) (*.bmp)");
    case Language::Spanish:
        return QStringLiteral("Documento de imagen (.bmp) (*.bmp)");
    case Language::Italian:
        break;
    }
    return QStringLiteral("File immagine (.bmp) (*.bmp)");
}

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

void HistoryChart::Extremes::add(double value)
{
    if (!any) {
        min = max = value;
        any = true;
        return;
    }
    min = std::min(min, value);
    max = std::max(max, value);
}

HistoryChart::HistoryChart(ChartContext context, ChartControls controls)
    : m_context(std::move(context))
    , m_controls(std::move(controls))
{
    const ChartControls& c = m_controls;
    QCustomPlot& plot = *c.Grafico;
    plot.legend->setVisible(false);
    plot.setAntialiasedElements(QCP::aeAll);
    plot.setNoAntialiasingOnDrag(true);
    // Axis scrolling by dragging, zoom with the wheel.
    plot.setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    for (int series = 0; series < 2; ++series) {
        QCPGraph* graph = plot.graph(series);
        graph->setLineStyle(QCPGraph::lsLine);
        graph->setScatterStyle(QCPScatterStyle::ssNone);
        graph->setAdaptiveSampling(c.DrawAll->isChecked());
        m_colours[series] = graph->pen().color();
    }
    setupColourMenu(c.ColorTemp, 0);
    setupColourMenu(c.ColorRH, 1);
    if (auto* ticker = dynamic_cast<QCPAxisTickerDateTime*>(plot.xAxis->ticker().data()))
        ticker->setDateTimeSpec(Qt::LocalTime);

    KeyFilter::install(c.AxMin, false);
    KeyFilter::install(c.AxMax, false);
    KeyFilter::install(c.AxValore, false);
    KeyFilter::install(c.AyMin, true);
    KeyFilter::install(c.AyMax, true);

    m_tipTimer.setSingleShot(true);
    m_tipTimer.setInterval(100);
    connect(&m_tipTimer, &QTimer::timeout, this, &HistoryChart::showPointTip);
    connect(&plot, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) {
        m_tipPos = event->position().toPoint();
        QToolTip::hideText();
        m_tipTimer.start();
    });
}

HistoryChart::~HistoryChart() = default;

void HistoryChart::setupColourMenu(QToolButton* button, int series)
{
    // The colour selector: a drop-down of the standard colours.
    auto* menu = new QMenu(button);
    const QColor colours[] = {Qt::black, Qt::darkGray, Qt::gray, Qt::red, Qt::darkRed,
        QColor(255, 128, 0), Qt::yellow, Qt::darkYellow, Qt::green, Qt::darkGreen, Qt::cyan,
        Qt::darkCyan, Qt::blue, Qt::darkBlue, Qt::magenta, Qt::darkMagenta};
    for (const QColor& colour : colours) {
        QAction* action = menu->addAction(swatch(colour), colour.name());
        connect(action, &QAction::triggered, this, [this, series, colour] {
            ErrorBoundary::run(m_context.dialogs, m_context.owner, [&] {
                if (series == 0)
                    ColorTempSelect(colour);
                else
                    ColorRHSelect(colour);
            });
        });
    }
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setIcon(swatch(m_colours[series]));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

int HistoryChart::toColourRef(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor HistoryChart::fromColourRef(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void HistoryChart::setColour(int series, const QColor& colour)
{
    m_colours[series] = colour;
    m_controls.Grafico->graph(series)->setPen(QPen(colour));
    // The selector holds the colour too: the settings read and save it there.
    ColourSelector::setColour(*(series == 0 ? m_controls.ColorTemp : m_controls.ColorRH), colour);
    requestReplot();
}

void HistoryChart::requestReplot()
{
    // Coalesced: however many changes a turn of the event loop brings, the
    // chart is drawn once.
    m_controls.Grafico->replot(QCustomPlot::rpQueuedReplot);
}

int HistoryChart::pointCount(int series) const
{
    return m_controls.Grafico->graph(series)->dataCount();
}

void HistoryChart::addPoints(const Reading& reading)
{
    if (!m_controls.Abilitato2->isChecked())
        return;
    QCustomPlot& plot = *m_controls.Grafico;
    plot.graph(0)->addData(ChartAxes::key(m_context.clock.now()), reading.temperature);
    m_values[0].add(reading.temperature);
    plot.graph(1)->addData(ChartAxes::key(m_context.clock.now()), reading.humidity);
    m_values[1].add(reading.humidity);
    fitAutomaticAxes();
    requestReplot();
}

ChartAxes::Range HistoryChart::wholeKeyRange() const
{
    ChartAxes::Range range;
    bool any = false;
    for (int series = 0; series < 2; ++series) {
        const QCPGraph* graph = m_controls.Grafico->graph(series);
        if (!graph->visible() || graph->data()->isEmpty())
            continue;
        const double first = graph->data()->constBegin()->key;
        const double last = (graph->data()->constEnd() - 1)->key;
        range = any ? ChartAxes::Range{std::min(range.min, first), std::max(range.max, last)}
                    : ChartAxes::Range{first, last};
        any = true;
    }
    if (!any)
        return {};
    return range;
}

void HistoryChart::fitAutomaticAxes()
{
    QCustomPlot& plot = *m_controls.Grafico;
    if (m_controls.AsseOrizAutomatico->isChecked()) {
        const ChartAxes::Range keys = wholeKeyRange();
        if (keys.max > keys.min)
            plot.xAxis->setRange(keys.min, keys.max);
        else if (keys.max != 0)
            plot.xAxis->setRange(keys.min - 1, keys.max + 1);
    }
    if (m_controls.AsseVertAutomatico->isChecked()) {
        Extremes shown;
        for (int series = 0; series < 2; ++series) {
            if (plot.graph(series)->visible() && m_values[series].any
                && plot.graph(series)->dataCount() > 0) {
                shown.add(m_values[series].min);
                shown.add(m_values[series].max);
            }
        }
        if (shown.any) {
            if (shown.max > shown.min)
                plot.yAxis->setRange(shown.min, shown.max);
            else
                plot.yAxis->setRange(shown.min - 1, shown.max + 1);
        }
    }
}

void HistoryChart::ApplyVerticalAxis()
{
    QCPAxis* axis = m_controls.Grafico->yAxis;
    const ChartAxes::Range range{ChartAxes::decimalValue(m_controls.AyMin->text()),
        ChartAxes::decimalValue(m_controls.AyMax->text())};
    ChartAxes::applyOrdered(
        range, axis->range().upper, [axis](double v) { axis->setRangeLower(v); },
        [axis](double v) { axis->setRangeUpper(v); });
    fitAutomaticAxes();
    requestReplot();
}

void HistoryChart::ApplyHorizontalAxis()
{
    const ChartControls& c = m_controls;
    const QDateTime now = m_context.clock.now();
    ChartAxes::Range range;
    if (c.AsseOrizPerc->isChecked()) {
        range = ChartAxes::percentage(m_context.acquisitionStart(), now,
            ChartAxes::integerValue(c.AxMin->text()), ChartAxes::integerValue(c.AxMax->text()),
            wholeKeyRange());
    } else {
        range = ChartAxes::timeWindow(
            now, ChartAxes::integerValue(c.AxValore->text()), c.AxValoreMisura->currentIndex());
    }
    QCPAxis* axis = c.Grafico->xAxis;
    ChartAxes::applyOrdered(
        range, axis->range().upper, [axis](double v) { axis->setRangeLower(v); },
        [axis](double v) { axis->setRangeUpper(v); });
    fitAutomaticAxes();
    requestReplot();
}

void HistoryChart::UpdateChartTitle()
{
    QCustomPlot& plot = *m_controls.Grafico;
    if (auto* title = qobject_cast<QCPTextElement*>(plot.plotLayout()->element(0, 0)))
        title->setText(ChartAxes::title(
            m_controls.chkTemp->isChecked(), m_controls.chkRH->isChecked(), m_context.messages));
    requestReplot();
}

void HistoryChart::showHumiditySeries(bool shown)
{
    m_controls.Grafico->graph(1)->setVisible(shown);
    fitAutomaticAxes();
    requestReplot();
}

void HistoryChart::convertTemperatures(const std::function<double(double)>& convert)
{
    QSharedPointer<QCPGraphDataContainer> data = m_controls.Grafico->graph(0)->data();
    for (auto it = data->begin(); it != data->end(); ++it)
        it->value = convert(it->value);
    // Both units' conversions keep the order of the values.
    if (m_values[0].any) {
        m_values[0].min = convert(m_values[0].min);
        m_values[0].max = convert(m_values[0].max);
    }
    fitAutomaticAxes();
    requestReplot();
}

void HistoryChart::applySeriesVisibility()
{
    m_controls.Grafico->graph(0)->setVisible(m_controls.chkTemp->isChecked());
    m_controls.Grafico->graph(1)->setVisible(m_controls.chkRH->isChecked());
    UpdateChartTitle();
    fitAutomaticAxes();
}

void HistoryChart::chkTempClick()
{
    m_controls.Grafico->graph(0)->setVisible(m_controls.chkTemp->isChecked());
    UpdateChartTitle();
    fitAutomaticAxes();
    m_context.settings.writeBool(Settings::Values::grafico_temp, m_controls.chkTemp->isChecked());
}

void HistoryChart::chkRHClick()
{
    m_controls.Grafico->graph(1)->setVisible(m_controls.chkRH->isChecked());
    UpdateChartTitle();
    fitAutomaticAxes();
    m_context.settings.writeBool(Settings::Values::grafico_RH, m_controls.chkRH->isChecked());
}

void HistoryChart::Svuota1Click()
{
    QCustomPlot& plot = *m_controls.Grafico;
    // A fresh container gives the memory back at once.
    plot.graph(0)->setData(QSharedPointer<QCPGraphDataContainer>::create());
    plot.graph(1)->setData(QSharedPointer<QCPGraphDataContainer>::create());
    m_values[0] = {};
    m_values[1] = {};
    requestReplot();
}

void HistoryChart::DrawAllClick()
{
    const bool sampling = m_controls.DrawAll->isChecked();
    m_controls.Grafico->graph(0)->setAdaptiveSampling(sampling);
    m_controls.Grafico->graph(1)->setAdaptiveSampling(sampling);
    requestReplot();
}

void HistoryChart::ColorTempSelect(const QColor& colour)
{
    setTemperatureColour(colour);
    m_context.settings.writeInteger(Settings::Values::colore_temp, toColourRef(colour));
}

void HistoryChart::ColorRHSelect(const QColor& colour)
{
    setHumidityColour(colour);
    m_context.settings.writeInteger(Settings::Values::colore_RH, toColourRef(colour));
}

void HistoryChart::applyVerticalAuto()
{
    const ChartControls& c = m_controls;
    const bool automatic = c.AsseVertAutomatico->isChecked();
    if (automatic)
        fitAutomaticAxes();
    else
        ApplyVerticalAxis();
    c.AyMin->setEnabled(!automatic);
    c.AyMax->setEnabled(!automatic);
    requestReplot();
}

void HistoryChart::applyHorizontalAuto()
{
    const ChartControls& c = m_controls;
    const bool automatic = c.AsseOrizAutomatico->isChecked();
    if (automatic)
        fitAutomaticAxes();
    else
        ApplyHorizontalAxis();
    for (QWidget* w : std::initializer_list<QWidget*>{
             c.AxMin, c.AxMax, c.AxValore, c.AxValoreMisura, c.AsseOrizPerc, c.AsseOrizSec})
        w->setEnabled(!automatic);
    requestReplot();
}

void HistoryChart::AsseVertAutomaticoClick()
{
    applyVerticalAuto();
    m_context.settings.writeBool(
        Settings::Values::AsseV_auto, m_controls.AsseVertAutomatico->isChecked());
}

void HistoryChart::AsseOrizAutomaticoClick()
{
    applyHorizontalAuto();
    m_context.settings.writeBool(
        Settings::Values::AsseO_auto, m_controls.AsseOrizAutomatico->isChecked());
}

namespace {

// One run of an axis edit's change handler: correct the edit, pull the
// partner along, caret to the end. Returns false when the edit was
// rewritten (its handler then ran again with the corrected text).
template <class Value>
bool correctPair(
    QLineEdit* edit, QLineEdit* partner, bool editIsMin, const QString& corrected, Value value)
{
    if (corrected != edit->text()) {
        edit->setText(corrected);
        return false;
    }
    const auto own = value(edit->text());
    const auto other = value(partner->text());
    // The maximum below the minimum: the partner takes this edit's text.
    if (editIsMin ? other < own : own < other)
        partner->setText(edit->text());
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    return true;
}

} // namespace

void HistoryChart::AyMinChange()
{
    const ChartControls& c = m_controls;
    const int limit = ChartAxes::verticalLimit(c.cmbGradi->currentIndex() == 1);
    if (correctPair(c.AyMin, c.AyMax, true, ChartAxes::correctedDecimal(c.AyMin->text(), limit),
            ChartAxes::decimalValue))
        ApplyVerticalAxis();
}

void HistoryChart::AyMaxChange()
{
    const ChartControls& c = m_controls;
    const int limit = ChartAxes::verticalLimit(c.cmbGradi->currentIndex() == 1);
    if (correctPair(c.AyMax, c.AyMin, false, ChartAxes::correctedDecimal(c.AyMax->text(), limit),
            ChartAxes::decimalValue))
        ApplyVerticalAxis();
}

void HistoryChart::AxMinChange()
{
    const ChartControls& c = m_controls;
    if (!c.AsseOrizPerc->isChecked())
        return;
    if (correctPair(c.AxMin, c.AxMax, true, ChartAxes::correctedInteger(c.AxMin->text(), 100),
            ChartAxes::integerValue))
        ApplyHorizontalAxis();
}

void HistoryChart::AxMaxChange()
{
    const ChartControls& c = m_controls;
    if (!c.AsseOrizPerc->isChecked())
        return;
    if (correctPair(c.AxMax, c.AxMin, false, ChartAxes::correctedInteger(c.AxMax->text(), 100),
            ChartAxes::integerValue))
        ApplyHorizontalAxis();
}

void HistoryChart::AxValoreChange()
{
    QLineEdit* edit = m_controls.AxValore;
    if (!m_controls.AsseOrizSec->isChecked())
        return;
    const QString corrected = ChartAxes::correctedInteger(edit->text(), 9999);
    if (corrected != edit->text()) {
        edit->setText(corrected);
        return;
    }
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    ApplyHorizontalAxis();
}

void HistoryChart::GraficoDblClick()
{
    QCustomPlot& plot = *m_controls.Grafico;
    if (m_fullScreen)
        return;
    m_windowGeometry = plot.geometry();
    m_fullScreen = true;
    plot.setWindowFlags(Qt::Window);
    plot.showFullScreen();
    m_controls.btnFullScreen->move(4, plot.height() - 28);
    m_controls.btnFullScreen->show();
    m_controls.btnFullScreen->raise();
}

void HistoryChart::btnFullScreenClick()
{
    QCustomPlot& plot = *m_controls.Grafico;
    m_controls.btnFullScreen->hide();
    if (!m_fullScreen)
        return;
    m_fullScreen = false;
    plot.setWindowFlags(Qt::Widget);
    plot.setGeometry(m_windowGeometry);
    plot.show();
    m_controls.btnFullScreen->move(4, plot.height() - 28);
}

void HistoryChart::AdvBtnStampaClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, m_context.owner);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(printPreviewTitle(m_context.language));
    QCustomPlot* plot = m_controls.Grafico;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [plot](QPrinter* target) {
        QCPPainter painter(target);
        const QRectF page = target->pageRect(QPrinter::DevicePixel);
        // The chart as on screen, scaled to the page's width.
        const double scale = page.width() / plot->width();
        painter.scale(scale, scale);
        plot->toPainter(&painter, plot->width(), plot->height());
    });
    m_context.dialogs->execModal(preview);
}

void HistoryChart::AdvBtnEsportaClick()
{
    SaveRequest request;
    request.defaultSuffix = QStringLiteral("bmp");
    request.filter = bitmapFilter(m_context.language);
    request.overwritePrompt = true;
    const auto chosen = m_context.dialogs->saveFileName(m_context.owner, request);
    if (!chosen)
        return;
    exportBitmap(*chosen);
    m_context.log.logEvent(QStringLiteral("Save bmp"));
}

void HistoryChart::exportBitmap(const QString& path)
{
    QCustomPlot& plot = *m_controls.Grafico;
    QImage image(plot.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QCPPainter painter(&image);
        plot.toPainter(&painter, plot.width(), plot.height());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw HandlerError(path + QStringLiteral(": ") + file.errorString());
    QImageWriter writer(&file, "BMP");
    if (!writer.write(image)) {
        file.cancelWriting();
        throw HandlerError(path + QStringLiteral(": ") + writer.errorString());
    }
    if (!file.commit())
        throw HandlerError(path + QStringLiteral(": ") + file.errorString());
}

QString HistoryChart::pointTipAt(const QPoint& pos) const
{
    const QCustomPlot& plot = *m_controls.Grafico;
    double bestDistance = 6.0; // pixels
    QString tip;
    for (int series = 0; series < 2; ++series) {
        const QCPGraph* graph = plot.graph(series);
        if (!graph->visible() || graph->data()->isEmpty())
            continue;
        const double key = plot.xAxis->pixelToCoord(pos.x());
        // Binary search: the points next to the mouse, however many there are.
        auto it = graph->data()->findBegin(key, false);
        for (auto candidate : {it, it + 1}) {
            if (candidate < graph->data()->constBegin() || candidate >= graph->data()->constEnd())
                continue;
            const double dx = plot.xAxis->coordToPixel(candidate->key) - pos.x();
            const double dy = plot.yAxis->coordToPixel(candidate->value) - pos.y();
            const double distance = std::hypot(dx, dy);
            if (distance < bestDistance) {
                bestDistance = distance;
                tip = QCPAxisTickerDateTime::keyToDateTime(candidate->key)
                          .toLocalTime()
                          .toString(QStringLiteral("dd/MM/yy HH:mm:ss"))
                    + QStringLiteral("\n") + QString::number(candidate->value, 'g', 15);
            }
        }
    }
    return tip;
}

void HistoryChart::showPointTip()
{
    QCustomPlot* plot = m_controls.Grafico;
    const QString tip = pointTipAt(m_tipPos);
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(plot->mapToGlobal(m_tipPos), tip, plot);
}
