#pragma once

#include <QDialog>

class QPushButton;

// The alarm settings window. Created once at start-up, after the device
// information window; shown modally and hidden when closed.
class TAllarmeForm : public QDialog {
    Q_OBJECT
public:
    explicit TAllarmeForm(QWidget* mainWindow);

    QPushButton* OK = nullptr;
};
