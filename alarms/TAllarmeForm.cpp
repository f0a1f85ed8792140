#include "TAllarmeForm.h"

#include <QPushButton>

TAllarmeForm::TAllarmeForm(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("TAllarmeForm"));
    setWindowTitle(QStringLiteral("Imposta Allarme"));
    setFixedSize(560, 470);
    OK = new QPushButton(QStringLiteral("Salva Impostazioni"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setGeometry(440, 432, 110, 28);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
}
