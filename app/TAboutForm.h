#pragma once

#include <QDialog>

class Dialogs;
class QLabel;
class QPushButton;
class Shell;

// The about window: the product logo, the program's name and file version,
// the maker's web address.
class TAboutForm : public QDialog
{
    Q_OBJECT
public:
    TAboutForm(QWidget* mainWindow, Shell* shell, Dialogs* dialogs);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Lblversione = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OK = nullptr;

    static QString creditsText();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_mainWindow;
    Shell* m_shell;
    Dialogs* m_dialogs;
};
