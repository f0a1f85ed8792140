#include "notify/WebServiceClient.h"
#include "readings/HistoryChart.h"
#include "readings/MeasurementLog.h"
#include "MainSettings.h"

#include "app/NotYetBuilt.h"
#include "app/TMainForm.h"
#include "log/EventLog.h"
#include "platform/ColourSelector.h"
#include "readings/LiveReadout.h"
#include "sensor/DeviceDiscovery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

using namespace Settings::Values;

namespace {

// Settings are busy from the first value to the last, whatever happens in
// between, so the on-change writers never store what is being read.
class BusyScope
{
public:
    explicit BusyScope(SettingsStore& store)
        : m_store(store)
    {
        m_store.setBusy(true);
    }
    ~BusyScope() { m_store.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    SettingsStore& m_store;
};

} // namespace

MainSettings::MainSettings(TMainForm& form, SettingsStore& store, EventLog& log)
    : m_form(form)
    , m_store(store)
    , m_log(log)
{
}

void MainSettings::ReadSettings()
{
    m_log.logEvent(QStringLiteral("Reading setting..."));
    {
        BusyScope busy(m_store);
        {
            const SettingsStore::Session session = m_store.open();
            if (session.isOpen()) {
                m_log.logEvent(QStringLiteral("o ") + m_store.displayPath());
                readValues(session);
            }
        }
        applyValues();
    }
    m_log.logEvent(QStringLiteral("Setting read"));
}

void MainSettings::readValues(const SettingsStore::Session& session)
{
    TMainForm& f = m_form;
    const auto check = [&](const Settings::Value& value, QAbstractButton* button) {
        if (const auto on = session.readBool(value))
            button->setChecked(*on);
    };
    const auto colour = [&](const Settings::Value& value, QAbstractButton* selector) {
        if (const auto stored = session.readColour(value))
            ColourSelector::setColour(*selector, *stored);
    };
    // A track bar clamps the value to its range; its change handler runs
    // when the position moves.
    const auto position = [&](const Settings::Value& value, QAbstractSlider* trackBar) {
        if (const auto stored = session.readInteger(value))
            trackBar->setValue(*stored);
    };
    // An index beyond the selector's list leaves it as it is.
    const auto entry = [&](const Settings::Value& value, QComboBox* selector) {
        if (const auto stored = session.readInteger(value);
            stored && *stored >= 0 && *stored < selector->count())
            selector->setCurrentIndex(*stored);
    };
    const auto text = [&](const Settings::Value& value, QLineEdit* edit) {
        if (const auto stored = session.readText(value))
            edit->setText(*stored);
    };

    colour(colore_temp, f.ColorTemp);
    colour(colore_RH, f.ColorRH);
    f.chart().setTemperatureColour(ColourSelector::colour(*f.ColorTemp));
    f.chart().setHumidityColour(ColourSelector::colour(*f.ColorRH));
    check(icona_temp, f.CheckTempTrayIcon);
    if (const auto on = session.readBool(icona_RH)) {
        f.CheckRHTrayIcon->setChecked(*on);
        f.discovery().RhIconWish = *on;
    }
    check(popup, f.MostraPopUp);
    check(grafico_temp, f.chkTemp);
    check(grafico_RH, f.chkRH);
    check(AutoStartMonitor, f.ChkAutoStartMonitor);
    check(StartMinimized, f.ChkAvviaRidotto);
    check(AutoUpdate, f.ChkAutoUpdate);
    entry(lingua, f.cmdLingua);
    if (const auto unit = session.readText(unita_misura)) {
        if (*unit == QLatin1String("C"))
            f.cmbGradi->setCurrentIndex(0);
        else if (*unit == QLatin1String("F"))
            f.cmbGradi->setCurrentIndex(1);
    }
    position(calibrazione, f.TrackBarCalib);
    position(ritardo_acq, f.TrackBarRitardo);
    if (const auto path = session.readText(customautosavefilename))
        f.measurementLog().setCustomAutoSavePath(*path);
    check(AsseV_auto, f.AsseVertAutomatico);
    text(AsseV_min, f.AyMin);
    text(AsseV_max, f.AyMax);
    check(AsseO_auto, f.AsseOrizAutomatico);
    if (const auto percent = session.readBool(AsseO_perc)) {
        // Unchecking the percentage leaves "last seconds" as it is.
        f.AsseOrizPerc->setChecked(*percent);
        if (*percent)
            f.chart().ApplyHorizontalAxis();
    }
    text(AsseO_min, f.AxMin);
    text(AsseO_max, f.AxMax);
    text(AsseO_sec, f.AxValore);
    entry(AsseO_mis, f.AxValoreMisura);
    check(AutoSaveLog, f.chkAutoSaveLog);
    text(AutoSaveLog_min, f.EditAutoSaveLog);
    text(web_user, f.WebUsername);
    text(web_pass, f.WebPassword);
    check(invia_web, f.chkSendWeb);
    check(invia_push, f.chkAbilitaPush);
}

void MainSettings::applyValues()
{
    TMainForm& f = m_form;
    f.webService().btnLoginClick();
    f.readout().ApplyTrayIcons();
    HistoryChart& chart = f.chart();
    chart.ApplyHorizontalAxis();
    chart.ApplyVerticalAxis();
    chart.applyVerticalAuto();
    chart.applyHorizontalAuto();
    chart.applySeriesVisibility();
    f.measurementLog().applyAutoSave();
}

void MainSettings::SaveSettings()
{
    m_log.logEvent(QStringLiteral("Saving setting..."));
    bool written = true;
    {
        BusyScope busy(m_store);
        SettingsStore::Session session = m_store.open();
        if (session.isOpen()) {
            m_log.logEvent(QStringLiteral("o ") + m_store.displayPath());
            writeValues(session);
            written = session.commit();
        }
    }
    // A file that cannot be written loses the run's settings: say so rather
    // than report them saved.
    if (written)
        m_log.logEvent(QStringLiteral("Setting saved"));
    else
        m_log.logEvent(QStringLiteral("Setting not saved: cannot write ") + m_store.displayPath());
}

void MainSettings::writeValues(SettingsStore::Session& session)
{
    TMainForm& f = m_form;
    session.writeBool(AsseV_auto, f.AsseVertAutomatico->isChecked());
    session.writeText(AsseV_min, f.AyMin->text());
    session.writeText(AsseV_max, f.AyMax->text());
    session.writeBool(AsseO_auto, f.AsseOrizAutomatico->isChecked());
    session.writeBool(AsseO_perc, f.AsseOrizPerc->isChecked());
    session.writeText(AsseO_min, f.AxMin->text());
    session.writeText(AsseO_max, f.AxMax->text());
    session.writeText(AsseO_sec, f.AxValore->text());
    session.writeInteger(AsseO_mis, f.AxValoreMisura->currentIndex());
    session.writeColour(colore_temp, ColourSelector::colour(*f.ColorTemp));
    session.writeColour(colore_RH, ColourSelector::colour(*f.ColorRH));
    session.writeBool(AutoSaveLog, f.chkAutoSaveLog->isChecked());
    session.writeText(AutoSaveLog_min, f.EditAutoSaveLog->text());
    session.writeBool(AutoStartMonitor, f.ChkAutoStartMonitor->isChecked());
    session.writeBool(StartMinimized, f.ChkAvviaRidotto->isChecked());
    session.writeBool(AutoUpdate, f.ChkAutoUpdate->isChecked());
    session.writeText(
        unita_misura, f.cmbGradi->currentIndex() == 1 ? QStringLiteral("F") : QStringLiteral("C"));
    session.writeInteger(lingua, f.cmdLingua->currentIndex());
    session.writeInteger(ritardo_acq, f.TrackBarRitardo->value());
    session.writeInteger(calibrazione, f.TrackBarCalib->value());
    session.writeText(customautosavefilename, f.measurementLog().customAutoSavePath());
    session.writeText(web_user, f.WebUsername->text());
    session.writeText(web_pass, f.WebPassword->text());
    session.writeBool(invia_web, f.chkSendWeb->isChecked());
    session.writeBool(invia_push, f.chkAbilitaPush->isChecked());
}

void MainSettings::connectOnChangeWriters()
{
    TMainForm& f = m_form;
    const auto storeOnClick = [this](QAbstractButton* toggle, const Settings::Value& value) {
        QObject::connect(toggle, &QAbstractButton::clicked, &m_form,
            [this, toggle, &value] { m_store.writeBool(value, toggle->isChecked()); });
    };
    // The chart's and the alarm toggles' handlers store their own values.
    storeOnClick(f.ChkAutoUpdate, AutoUpdate);
}
