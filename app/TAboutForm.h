#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about window: the program's name and file version.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* mainWindow);

    QLabel* Label1 = nullptr;
    QLabel* Lblversione = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OK = nullptr;
};
