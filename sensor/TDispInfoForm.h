#pragma once

#include "platform/HidController.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;

// The device information window: the list of HID devices and the details
// of the selected one. The list owns the device objects checked out for its
// entries and releases them all before it is rebuilt.
class TDispInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TDispInfoForm(QWidget* mainWindow);
    ~TDispInfoForm() override;

    QLabel* Label1 = nullptr;
    QListWidget* ListaDevice = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Info = nullptr;

    void releaseDevices();
    void addEntry(const QString& text, std::unique_ptr<HidDevice> device);
    int entryCount() const;
    int selectedIndex() const;
    void selectEntry(int index);
    QString entryText(int index) const;
    HidDevice* device(int index) const;

Q_SIGNALS:
    // The user clicked an entry.
    void entryClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_mainWindow;
    std::vector<std::unique_ptr<HidDevice>> m_devices;
};
