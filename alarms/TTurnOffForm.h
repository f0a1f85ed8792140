#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The shutdown countdown window: borderless, placed once at creation.
class TTurnOffForm : public QDialog {
    Q_OBJECT
public:
    explicit TTurnOffForm(QWidget* mainWindow);

    QLabel* Label1 = nullptr;
    QLabel* LblSecRim = nullptr;
    QPushButton* BtnAnnullaTurnOff = nullptr;
    int SecondsLeft = 10;
};
