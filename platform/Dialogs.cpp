#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

void QtDialogs::message(QWidget* owner, MessageKind kind, const QString& text, const QString& title)
{
    QMessageBox box(owner);
    switch (kind) {
    case MessageKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
    }
    QString caption = title;
    if (caption.isNull()) {
        caption = kind == MessageKind::Error ? m_captions.error
            : kind == MessageKind::Warning   ? m_captions.warning
            : kind == MessageKind::Information ? m_captions.information
                                               : QApplication::applicationDisplayName();
    }
    box.setWindowTitle(caption);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool QtDialogs::confirm(QWidget* owner, const QString& text, const QString& title)
{
    QMessageBox box(owner);
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(title.isNull() ? m_captions.confirm : title);
    box.setText(text);
    QPushButton* yes = box.addButton(m_captions.yes, QMessageBox::YesRole);
    box.addButton(m_captions.no, QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* owner, const SaveRequest& request)
{
    QFileDialog dialog(owner, request.title, request.initialPath, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

int QtDialogs::execModal(QDialog& dialog)
{
    return dialog.exec();
}
