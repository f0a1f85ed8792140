#include "LiveReadout.h"

#include "i18n/MainMessages.h"
#include "platform/TextTrayIcon.h"
#include "platform/ThermometerGauge.h"
#include "readings/DerivedQuantities.h"
#include "settings/SettingsStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include <cmath>

LiveReadout::LiveReadout(const MainMessages& messages, SettingsStore& settings, ReadoutControls controls,
    ReadoutHooks hooks)
    : m_messages(messages)
    , m_settings(settings)
    , m_controls(std::move(controls))
    , m_hooks(std::move(hooks))
{
}

void LiveReadout::computeReading(Reading& reading, double celsius, quint16 rawHumidity)
{
    Derived::compute(reading, celsius, rawHumidity, m_unit);
    m_readingUnit = m_unit;
}

void LiveReadout::show(const Reading& reading)
{
    const ReadoutControls& c = m_controls;
    ThermometerGauge& gauge = *c.vrThermoMeterTemp;
    const double value = reading.temperature;
    gauge.setValue(value);
    if (value - 5 < gauge.minimum())
        gauge.setMinimum(value - 5);
    if (value + 5 > gauge.maximum())
        gauge.setMaximum(value + 5);
    c.vrThermoMeterRH->setValue(reading.humidity);

    const QString suffix = UnitSuffix();
    c.TextTrayTemp->setHint(m_messages.strsTemp + QLatin1Char(' ') + m_messages.strsRilevata + QStringLiteral(": ")
        + reading.temperatureText + QLatin1Char(' ') + suffix);
    c.TextTrayTemp->setText(QString::number(Derived::roundHalfEven(reading.temperature)));
    c.TextTrayRH->setHint(m_messages.strsUmi + QLatin1Char(' ') + m_messages.strsRilevata + QStringLiteral(": ")
        + reading.humidityText + QLatin1Char('%'));
    c.TextTrayRH->setText(QString::number(Derived::roundHalfEven(reading.humidity)));

    c.LblTemp->setText(reading.temperatureText + QLatin1Char(' ') + suffix);
    c.LblRH->setText(reading.humidityText + QStringLiteral(" %"));
    c.LblDP->setText(reading.dewPointText + QLatin1Char(' ') + suffix);
    c.LbLTP->setText(reading.perceivedText + QLatin1Char(' ') + suffix);
}

void LiveReadout::resetPeaks(const Reading& reading)
{
    m_controls.vrThermoMeterTemp->setPeaks(reading.temperature, reading.temperature);
    m_controls.vrThermoMeterRH->setPeaks(reading.humidity, reading.humidity);
}

void LiveReadout::showStopped()
{
    const QString zero = QStringLiteral("0 ") + UnitSuffix();
    m_controls.LblTemp->setText(zero);
    m_controls.LblRH->setText(QStringLiteral("0 %"));
    m_controls.LblDP->setText(zero);
    m_controls.LbLTP->setText(zero);
}

void LiveReadout::resetTemperatureScale(ThermometerGauge& gauge, TempUnit unit)
{
    if (unit == TempUnit::Fahrenheit) {
        gauge.setScale(30, 140);
        gauge.setSteps(5, 20);
    } else {
        gauge.setScale(0, 60);
        gauge.setSteps(2.5, 10);
    }
}

void LiveReadout::cmbGradiChange(const Reading& reading)
{
    const TempUnit selected = m_controls.cmbGradi->currentIndex() == 1 ? TempUnit::Fahrenheit : TempUnit::Celsius;
    // A conversion runs only when the selection really moves to the other
    // unit, so values are never converted twice.
    if (selected == m_unit)
        return;
    m_unit = selected;
    ApplyTempUnit(reading);
}

double LiveReadout::inSelectedUnit(double value) const
{
    if (m_readingUnit == m_unit)
        return value;
    return m_unit == TempUnit::Fahrenheit ? toFahrenheit(value) : toCelsius(value);
}

void LiveReadout::ApplyTempUnit(const Reading& reading)
{
    const ReadoutControls& c = m_controls;
    const QString suffix = UnitSuffix();
    const auto convert = [this](double x) { return m_unit == TempUnit::Fahrenheit ? toFahrenheit(x) : toCelsius(x); };

    if (c.RDbutton->text() == QLatin1String("Start")) {
        c.LblTemp->setText(QStringLiteral("- ") + suffix);
        c.LblDP->setText(QStringLiteral("- ") + suffix);
        c.LbLTP->setText(QStringLiteral("- ") + suffix);
    } else {
        c.LblTemp->setText(Derived::oneDecimal(inSelectedUnit(reading.temperature)) + QLatin1Char(' ') + suffix);
        c.LblDP->setText(Derived::oneDecimal(inSelectedUnit(reading.dewPoint)) + QLatin1Char(' ') + suffix);
        c.LbLTP->setText(Derived::oneDecimal(inSelectedUnit(reading.perceived)) + QLatin1Char(' ') + suffix);
    }

    ThermometerGauge& gauge = *c.vrThermoMeterTemp;
    resetTemperatureScale(gauge, m_unit);
    gauge.setValue(gauge.minimum());
    const double temperature = inSelectedUnit(reading.temperature);
    gauge.setValue(temperature);
    gauge.setPeaks(temperature, temperature);

    c.TextTrayTemp->setHint(QStringLiteral("Temperatura Rilevata: ") + c.LblTemp->text());
    c.TextTrayTemp->setText(QString::number(Derived::roundHalfEven(temperature)));

    // Axis edits: each text as a number, converted, back as a whole number.
    // A text that is no number is left as it stands.
    for (QLineEdit* edit : {c.AyMin, c.AyMax}) {
        bool ok = false;
        const double value = QLocale::c().toDouble(edit->text(), &ok);
        if (ok)
            edit->setText(QString::number(static_cast<long long>(std::llround(convert(value)))));
    }
    c.Label12->setText(suffix);
    c.Label15->setText(suffix);

    if (m_hooks.convertAlarmLimits)
        m_hooks.convertAlarmLimits(convert);
    if (m_hooks.convertChartTemperatures)
        m_hooks.convertChartTemperatures(convert);
}

void LiveReadout::ApplyTrayIcons()
{
    const ReadoutControls& c = m_controls;
    c.TextTrayTemp->setVisible(c.CheckTempTrayIcon->isChecked());
    c.TextTrayRH->setVisible(c.CheckRHTrayIcon->isChecked());
    const bool anyVisible = c.TextTrayTemp->isVisible() || c.TextTrayRH->isVisible();
    c.TextTrayTemp->setMinimizeToTray(anyVisible);
    c.TextTrayRH->setMinimizeToTray(anyVisible);
    c.ChkAvviaRidotto->setEnabled(anyVisible);
}

void LiveReadout::CheckTempTrayIconClick()
{
    ApplyTrayIcons();
    m_settings.writeBool(Settings::Values::icona_temp, m_controls.TextTrayTemp->isVisible());
}

void LiveReadout::CheckRHTrayIconClick()
{
    if (!m_controls.CheckRHTrayIcon->isEnabled())
        return;
    ApplyTrayIcons();
    m_settings.writeBool(Settings::Values::icona_RH, m_controls.TextTrayRH->isVisible());
}
