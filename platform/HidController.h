#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// What the HID layer tells of one device: its USB strings and attributes.
struct HidDeviceInfo {
    QString product;
    QString manufacturer;
    QString serial;
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 release = 0;
    QString path; // backend's own address of the device
};

struct HidWriteResult {
    bool ok = true;
    int errorCode = 0;   // the system's error code when the write failed
    QString errorText;   // the system's message text for it
};

// One device checked out for the program's exclusive use. Destroying the
// object releases it: any reading attached to it ends, and the destructor
// never waits on a reading thread that itself waits for the user-interface
// thread.
class HidDevice : public QObject {
    Q_OBJECT
public:
    // Called on the user-interface thread for every input report; the data
    // bytes come without the report id. The device's reading waits until the
    // handler returns before it delivers the next report.
    using ReportHandler = std::function<void(HidDevice* device, quint8 reportId, const QByteArray& data)>;

    ~HidDevice() override = default;

    virtual const HidDeviceInfo& info() const = 0;
    // Whether the device could be opened with read and write access.
    virtual bool isOpenForReadWrite() const = 0;
    // Why it could not: the user lacks the access rights to its node (the
    // udev rule is missing), or anything else (the device went away, it is
    // held by another program).
    enum class OpenFailure { None, AccessDenied, Other };
    virtual OpenFailure openFailure() const
    {
        return isOpenForReadWrite() ? OpenFailure::None : OpenFailure::Other;
    }
    // Output report length the device declares, report id included; 0 when
    // it declares no output report.
    virtual int outputReportLength() const = 0;
    virtual HidWriteResult writeOutputReport(const QByteArray& report) = 0;

    virtual void attachReportHandler(ReportHandler handler) = 0;
    virtual void detachReportHandler() = 0;
    virtual bool hasReportHandler() const = 0;
};

class HidController : public QObject {
    Q_OBJECT
public:
    ~HidController() override = default;

    // Begins watching for arrivals and removals. One deviceChange follows as
    // soon as the message loop runs.
    virtual void start() = 0;
    // The devices present, in the layer's order.
    virtual QList<HidDeviceInfo> enumerate() = 0;
    // Checks out the device at the index of the last enumerate().
    virtual std::unique_ptr<HidDevice> checkOut(int index) = 0;

Q_SIGNALS:
    void deviceChange();
};
