#include "app/name_prompt.h"

#include <QtWidgets/QInputDialog>

namespace quorvell::app {

namespace {
NamePrompt::Answer& hook() {
    static NamePrompt::Answer answer;
    return answer;
}
} // namespace

std::optional<QString> NamePrompt::ask(QWidget* parent, const QString& title, const QString& note,
                                       const QString& text) {
    if (hook()) {
        return hook()(note);
    }
    bool ok = false;
    const QString name = QInputDialog::getText(parent, title, note, QLineEdit::Normal, text, &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
}

void NamePrompt::setAnswerHook(Answer answer) {
    hook() = std::move(answer);
}

} // namespace quorvell::app
