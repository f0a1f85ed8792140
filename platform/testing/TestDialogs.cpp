#include "TestDialogs.h"

#include <QDialog>

void TestDialogs::message(QWidget*, MessageKind kind, const QString& text, const QString& title)
{
    messages.append({kind, text, title});
    if (onMessage)
        onMessage(messages.last());
}

bool TestDialogs::confirm(QWidget*, const QString& text, const QString&)
{
    confirmations.append(text);
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<QString> TestDialogs::saveFileName(QWidget*, const SaveRequest& request)
{
    saveRequests.append(request);
    if (saveAnswers.empty())
        return std::nullopt;
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

int TestDialogs::execModal(QDialog& dialog)
{
    modalWindows.append(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!modalScripts.empty()) {
        auto script = std::move(modalScripts.front());
        modalScripts.pop_front();
        script(dialog);
    }
    if (dialog.isVisible())
        dialog.close();
    dialog.hide();
    return dialog.result();
}
