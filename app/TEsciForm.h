#pragma once

#include "app/ExitPasswordRules.h"
#include "i18n/ExitMessages.h"
#include "i18n/Language.h"
#include "i18n/MessageTable.h"

#include <QDialog>

#include <functional>

class Dialogs;
class EventLog;
class QCheckBox;
class QLineEdit;
class QPushButton;
class SettingsStore;

// The exit confirmation window, shown modally by the main window's close
// query. It also holds the optional exit password, which guards closing the
// program, the option itself and its reset.
class TEsciForm : public QDialog
{
    Q_OBJECT
public:
    struct Services
    {
        EventLog& log;
        SettingsStore& settings;
        Dialogs& dialogs;
        // Whether at least one of the main window's notification icon
        // toggles is down, so an icon will bring the program back.
        std::function<bool()> anyTrayIconWanted;
    };

    TEsciForm(QWidget* mainWindow, Services services, Language language = Language::Italian);

    // Reloads the window's messages for the active language.
    void UpdateStrings(Language language);

    void btnExitClick();
    void btAnnulaClick();
    void btnIconClick();
    void ChkExitPasswordClick();
    void btnResetClick();

    QCheckBox* ChkExitPassword = nullptr;
    QLineEdit* ExitPassword = nullptr;
    QPushButton* btnReset = nullptr;
    QPushButton* btnExit = nullptr;
    QPushButton* btnIcon = nullptr;
    QPushButton* btAnnula = nullptr;

    ExitMessages messages;
    const QString& StoredExitPassword() const { return m_rules.StoredExitPassword; }

public Q_SLOTS:
    // Every closing passes here: Exit, Cancel, the close box, or closed by
    // the main window.
    void done(int result) override;

Q_SIGNALS:
    // Exit was pressed: the program may close.
    void exitConfirmed();
    // "Riduci ad icona": hide the program in the notification area.
    void reduceToIcon();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    // Sets the option box without running its click handling.
    void setOption(bool on);
    template <class Handler> void guarded(Handler&& handler);

    QWidget* m_mainWindow;
    Services m_services;
    MessageTable m_messageTable;
    ExitPasswordRules m_rules;
};
