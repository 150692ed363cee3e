#pragma once

// The prompt for a preset's name, which tests answer in the player's place.

#include <QtCore/QString>
#include <functional>
#include <optional>

class QWidget;

namespace quorvell::app {

class NamePrompt {
public:
    // The name typed, or nullopt when cancelled. text: what the field holds
    // at first; note: a line above the field (why the last name was refused).
    static std::optional<QString> ask(QWidget* parent, const QString& title, const QString& note,
                                      const QString& text = {});

    // Test seam: answers in the player's place (nullopt: Cancel). None: the
    // system's dialog.
    using Answer = std::function<std::optional<QString>(const QString& note)>;
    static void setAnswerHook(Answer answer);
};

} // namespace quorvell::app
