#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The exit confirmation window, shown modally by the main window's close
// query.
class TEsciForm : public QDialog
{
    Q_OBJECT
public:
    explicit TEsciForm(QWidget* mainWindow);

    QCheckBox* ChkExitPassword = nullptr;
    QLineEdit* ExitPassword = nullptr;
    QPushButton* btnReset = nullptr;
    QPushButton* btnExit = nullptr;
    QPushButton* btnIcon = nullptr;
    QPushButton* btAnnula = nullptr;

Q_SIGNALS:
    // Exit was pressed: the program may close.
    void exitConfirmed();
    // "Riduci ad icona": hide the program in the notification area.
    void reduceToIcon();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnExitClick();

    QWidget* m_mainWindow;
};
