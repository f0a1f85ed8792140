#include "MeasurementLog.h"

#include "i18n/MainMessages.h"
#include "log/EventLog.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBoundary.h"
#include "platform/Shell.h"
#include "readings/ChartAxes.h"
#include "readings/KeyFilter.h"
#include "readings/MeasurementLogFormat.h"
#include "readings/MemoView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

QString textFileFilter(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("Text File (.txt) (*.txt)");
    case Language::Spanish:
        return QStringLiteral("Documento de texto (.txt) (*.txt)");
    case Language::Italian:
        break;
    }
    return QStringLiteral("File di Testo (.txt) (*.txt)");
}

QString autoSaveFailedText(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("Automatic save failed: ");
    case Language::Spanish:
        return QStringLiteral("Guardado automático fallido: ");
    case Language::Italian:
        break;
    }
    return QStringLiteral("Salvataggio automatico non riuscito: ");
}

} // namespace

MeasurementLog::MeasurementLog(MeasurementLogContext context, MeasurementLogControls controls)
    : m_context(std::move(context))
    , m_controls(std::move(controls))
{
    KeyFilter::install(m_controls.EditAutoSaveLog, false);
    // The design-time interval until the settings apply theirs; a timer
    // without a checked box never fires.
    m_controls.TimerAutoSave->setInterval(
        std::max(0, ChartAxes::integerValue(m_controls.EditAutoSaveLog->text())) * 60000);
    m_controls.TimerAutoSave->stop();
}

void MeasurementLog::addLine(const Reading& reading)
{
    m_controls.LogMemo->appendLine(
        MeasurementLogFormat::line(m_context.clock.now(), reading, m_context.hasHumidity()));
}

void MeasurementLog::clear()
{
    m_controls.LogMemo->clear();
}

QString MeasurementLog::SaveMeasurementLog(const QString& path)
{
    const MainMessages& messages = m_context.messages;
    const QString header2 = MeasurementLogFormat::headerLine2(messages, m_context.unitSuffix());
    const QString header1 = MeasurementLogFormat::headerLine1(messages);
    const auto failure
        = MeasurementLogFormat::save(path, header1, header2, m_controls.LogMemo->store());
    if (failure) {
        m_context.log.logEvent(
            QStringLiteral("Saving log failed \"") + path + QStringLiteral("\": ") + *failure);
        return *failure;
    }
    m_context.log.logEvent(QStringLiteral("Saving log \"") + path + QLatin1Char('"'));
    return {};
}

QString MeasurementLog::AutoSavePath() const
{
    return MeasurementLogFormat::autoSavePath(
        m_customPath, m_context.log.dataFolder(), m_controls.CodiceSens->currentText());
}

void MeasurementLog::AdvBtnSalvaClick()
{
    SaveRequest request;
    request.defaultSuffix = QStringLiteral("txt");
    request.filter = textFileFilter(m_context.language);
    request.overwritePrompt = true;
    const auto chosen = m_context.dialogs->saveFileName(m_context.owner, request);
    if (!chosen)
        return;
    const QString failure = SaveMeasurementLog(*chosen);
    if (!failure.isEmpty())
        throw HandlerError(*chosen + QStringLiteral(": ") + failure);
}

void MeasurementLog::BtnVisualizzaLogClick()
{
    MemoView* memo = m_controls.LogMemo;
    memo->setVisible(memo->isHidden());
}

void MeasurementLog::BtnClearLogClick()
{
    clear();
    m_context.log.logEvent(QStringLiteral("Clear log"));
}

void MeasurementLog::AdvGlowButton1Click()
{
    SaveRequest request;
    request.defaultSuffix = QStringLiteral("txt");
    request.filter = QStringLiteral("File di Testo (.txt) (*.txt)");
    request.initialPath = m_customPath;
    request.overwritePrompt = true;
    if (const auto chosen = m_context.dialogs->saveFileName(m_context.owner, request))
        m_customPath = *chosen;
}

void MeasurementLog::EditAutoSaveLogChange()
{
    QLineEdit* edit = m_controls.EditAutoSaveLog;
    const QString text = edit->text();
    const QString corrected = ChartAxes::correctedInteger(text, 1440);
    if (corrected != text) {
        // Runs this handler again with the corrected text.
        edit->setText(corrected);
        return;
    }
    edit->setCursorPosition(static_cast<int>(text.size()));
    // A pasted text that is no number counts as 0 minutes.
    const int minutes = std::max(0, ChartAxes::integerValue(text));
    m_controls.TimerAutoSave->setInterval(minutes * 60000);
    m_controls.LblAutoSaveTime->setText(MeasurementLogFormat::autoSaveLabel(minutes));
    updateTimer();
    m_context.log.logEvent(QStringLiteral("AutoSave time ") + text);
}

void MeasurementLog::updateTimer()
{
    QTimer* timer = m_controls.TimerAutoSave;
    // Interval 0 means never; a Qt timer at 0 would fire without pause.
    if (m_controls.chkAutoSaveLog->isChecked() && timer->interval() > 0)
        timer->start();
    else
        timer->stop();
}

void MeasurementLog::chkAutoSaveLogClick()
{
    updateTimer();
    m_context.log.logEvent(QStringLiteral("AutoSave ")
        + (m_controls.chkAutoSaveLog->isChecked() ? QStringLiteral("-1") : QStringLiteral("0")));
}

void MeasurementLog::TimerAutoSaveTimer()
{
    // Unattended: a failure is told in the log and the status bar, never in
    // a box, and the next interval tries again.
    const QString path = AutoSavePath();
    const QString failure = SaveMeasurementLog(path);
    QLabel* status = m_controls.statusPanel;
    if (failure.isEmpty()) {
        if (!m_failureText.isEmpty() && status->text() == m_failureText) {
            status->clear();
            status->setToolTip({});
        }
        m_failureText.clear();
        return;
    }
    m_failureText = autoSaveFailedText(m_context.language) + failure;
    status->setText(m_failureText);
    status->setToolTip(path + QStringLiteral(": ") + failure);
}

void MeasurementLog::AdvBtnVisualizzaStampaClick()
{
    const QString path = AutoSavePath();
    m_context.log.logEvent(QStringLiteral("open autosave: ") + path);
    m_context.shell->openInTextEditor(path);
}

void MeasurementLog::applyAutoSave()
{
    EditAutoSaveLogChange();
    chkAutoSaveLogClick();
}
