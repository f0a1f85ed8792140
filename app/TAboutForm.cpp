#include "TAboutForm.h"

#include "app/HelpCommands.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/Version.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// The product logo: the two readings on their coloured squares.
QPixmap logo(int width, int height)
{
    QPixmap picture(width, height);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = height - 8;
    painter.setBrush(QColor(255, 217, 217));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRect(width / 2 - side - 4, 4, side, side), 8, 8);
    painter.setBrush(QColor(204, 232, 255));
    painter.drawRoundedRect(QRect(width / 2 + 4, 4, side, side), 8, 8);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(side / 2);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(width / 2 - side - 4, 4, side, side), Qt::AlignCenter, QStringLiteral("°C"));
    painter.drawText(QRect(width / 2 + 4, 4, side, side), Qt::AlignCenter, QStringLiteral("%"));
    return picture;
}

} // namespace

TAboutForm::TAboutForm(QWidget* mainWindow, Shell* shell, Dialogs* dialogs)
    : QDialog(mainWindow)
    , m_mainWindow(mainWindow)
    , m_shell(shell)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("Infomazioni sul programma"));
    setFixedSize(320, 200);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 320, 72);
    Image1->setPixmap(logo(320, 72));

    QFont bold = font();
    bold.setBold(true);
    Label1 = new QLabel(QStringLiteral("Quelmo and Temperature Monitor"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(10, 80, 300, 20);
    Lblversione = new QLabel(QStringLiteral("v. Sconosciuta"), this);
    Lblversione->setObjectName(QStringLiteral("Lblversione"));
    Lblversione->setFont(bold);
    Lblversione->setAlignment(Qt::AlignCenter);
    Lblversione->setGeometry(10, 102, 300, 20);
    Lblversione->setText(QStringLiteral(" v ") + fileVersion());
    Label2 = new QLabel(Maker::WebSite, this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setGeometry(10, 126, 300, 20);
    Label2->installEventFilter(this);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    OK->setGeometry(120, 160, 80, 28);
    OK->installEventFilter(this);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
}

QString TAboutForm::creditsText()
{
    return QStringLiteral("Quelmo and Temperature Monitor ") + fileVersion()
        + QStringLiteral("\nQt, QCustomPlot, hidapi, libudev, libcurl");
}

void TAboutForm::showEvent(QShowEvent* event)
{
    if (m_mainWindow) {
        const QRect main = m_mainWindow->frameGeometry();
        move(main.left() + main.width() / 2 - width() / 2,
            main.top() + main.height() / 2 - height() / 2);
    }
    QDialog::showEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) {
        if (m_shell)
            m_shell->openUrl(Label2->text());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_D && key->modifiers() == Qt::AltModifier) {
            if (m_dialogs)
                m_dialogs->message(this, MessageKind::Information, creditsText());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
