#pragma once

#include "i18n/Language.h"
#include "readings/Reading.h"

#include <QString>

#include <functional>

class Clock;
class Dialogs;
class EventLog;
class MemoView;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QWidget;
class Shell;
struct MainMessages;

struct MeasurementLogControls
{
    MemoView* LogMemo = nullptr;
    QAbstractButton* BtnVisualizzaLog = nullptr;
    QAbstractButton* BtnClearLog = nullptr;
    QAbstractButton* AdvBtnSalva = nullptr;
    QAbstractButton* AdvBtnVisualizzaStampa = nullptr;
    QAbstractButton* chkAutoSaveLog = nullptr;
    QLineEdit* EditAutoSaveLog = nullptr;
    QLabel* LblAutoSaveTime = nullptr;
    QAbstractButton* AdvGlowButton1 = nullptr;
    QComboBox* CodiceSens = nullptr; // its text is the sensor code
    QLabel* statusPanel = nullptr; // status bar panel 2
    QTimer* TimerAutoSave = nullptr;
};

struct MeasurementLogContext
{
    EventLog& log;
    const Clock& clock;
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    const MainMessages& messages;
    const Language& language;
    QWidget* owner = nullptr; // of the dialogs
    std::function<QString()> unitSuffix;
    std::function<bool()> hasHumidity;
};

// The measurement memo: one line per reading, its saving by the user and
// automatically, and the auto-save file's path.
class MeasurementLog
{
public:
    MeasurementLog(MeasurementLogContext context, MeasurementLogControls controls);

    // One memo line for the reading, stamped with the clock's time now.
    void addLine(const Reading& reading);
    void clear();

    // Writes the saved-file layout to path, in place of any file of that
    // name; returns why it failed, or an empty text.
    QString SaveMeasurementLog(const QString& path);
    QString AutoSavePath() const;

    QString customAutoSavePath() const { return m_customPath; }
    void setCustomAutoSavePath(const QString& path) { m_customPath = path; }

    void AdvBtnSalvaClick();
    void BtnVisualizzaLogClick();
    void BtnClearLogClick();
    void AdvGlowButton1Click();
    void EditAutoSaveLogChange();
    void chkAutoSaveLogClick();
    void TimerAutoSaveTimer();
    void AdvBtnVisualizzaStampaClick();

    // The settings' apply step: the interval edit's handler, then the
    // check box's.
    void applyAutoSave();

private:
    void updateTimer();

    MeasurementLogContext m_context;
    MeasurementLogControls m_controls;
    QString m_customPath;
    QString m_failureText;
};
