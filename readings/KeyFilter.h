#pragma once

#include <QObject>

class QLineEdit;

// The numeric edits' key filter: typed characters other than digits and
// backspace are discarded, and with decimals one decimal point is kept
// (ControlloKeyPress, ControlloKeyPressDecimale). Keys without a character
// (arrows, Delete) and shortcuts pass.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    static void install(QLineEdit* edit, bool decimals);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QObject* parent, bool decimals);
    bool m_decimals;
};
