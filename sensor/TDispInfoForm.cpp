#include "TDispInfoForm.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

TDispInfoForm::TDispInfoForm(QWidget* mainWindow)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TDispInfoForm"));
    setWindowTitle(QStringLiteral("Informazioni dispositivo"));
    setFixedSize(354, 275);

    Label1 = new QLabel(QStringLiteral("Lista Dispositivi USB HID collegati al computer:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 6, 340, 16);
    ListaDevice = new QListWidget(this);
    ListaDevice->setObjectName(QStringLiteral("ListaDevice"));
    ListaDevice->setGeometry(8, 24, 338, 110);
    ListaDevice->setToolTip(QStringLiteral("Dispositivi HID enumerati (seleziona il sensore da cui leggere i dati)"));
    Label2 = new QLabel(QStringLiteral("Informazioni sul dispositivo selezionato:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 142, 340, 16);
    Info = new QPlainTextEdit(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setGeometry(8, 160, 338, 107);
    Info->setReadOnly(true);
    Info->setToolTip(QStringLiteral("Informazioni sul dispositivo selezionato"));

    connect(ListaDevice, &QListWidget::itemClicked, this, [this] { Q_EMIT entryClicked(); });
}

TDispInfoForm::~TDispInfoForm()
{
    releaseDevices();
}

void TDispInfoForm::releaseDevices()
{
    // Release before the entries go, so no entry names a released device.
    m_devices.clear();
    ListaDevice->clear();
}

void TDispInfoForm::addEntry(const QString& text, std::unique_ptr<HidDevice> device)
{
    ListaDevice->addItem(text);
    m_devices.push_back(std::move(device));
}

int TDispInfoForm::entryCount() const
{
    return ListaDevice->count();
}

int TDispInfoForm::selectedIndex() const
{
    return ListaDevice->currentRow();
}

void TDispInfoForm::selectEntry(int index)
{
    ListaDevice->setCurrentRow(index);
}

QString TDispInfoForm::entryText(int index) const
{
    const QListWidgetItem* item = ListaDevice->item(index);
    return item ? item->text() : QString();
}

HidDevice* TDispInfoForm::device(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        return nullptr;
    return m_devices[static_cast<size_t>(index)].get();
}

void TDispInfoForm::showEvent(QShowEvent* event)
{
    if (m_mainWindow) {
        const QRect main = m_mainWindow->frameGeometry();
        move(main.left() + main.width() / 2 - width() / 2, main.top() + main.height() / 2 - height() / 2);
    }
    QDialog::showEvent(event);
}
