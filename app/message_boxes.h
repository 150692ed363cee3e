#pragma once

// Every message box of the program goes through here, so tests can record
// them instead of blocking on a modal box.

#include <QtCore/QString>
#include <functional>
#include <vector>

class QWidget;

namespace quorvell::app {

enum class BoxIcon { Information, Error };

struct ShownBox {
    BoxIcon icon;
    QString title;
    QString text;
    QString detail = {}; // the box's detailed text, behind its "Show Details..." button
    QString action = {}; // the button offered beside Close, for offer()
};

class MessageBoxes {
public:
    // Shows a modal box with an OK button only and waits for it.
    static void show(QWidget* parent, BoxIcon icon, const QString& title, const QString& text,
                     const QString& detail = {});
    // A box offering one thing to do, with a button for it and a Close
    // button; true when the player chose the action.
    static bool offer(QWidget* parent, BoxIcon icon, const QString& title, const QString& text,
                      const QString& action);

    // Test seam: while recording, boxes are not shown but kept, and the
    // answer hook (if any) runs in place of the user pressing OK.
    static void setRecording(bool on);
    static void setAnswerHook(std::function<void(const ShownBox&)> hook);
    // While recording, answers offer() in the player's place (none: Close).
    static void setOfferHook(std::function<bool(const ShownBox&)> hook);
    static const std::vector<ShownBox>& recorded();
    static void clearRecorded();
};

} // namespace quorvell::app
