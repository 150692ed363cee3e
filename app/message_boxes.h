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
};

class MessageBoxes {
public:
    // Shows a modal box with an OK button only and waits for it.
    static void show(QWidget* parent, BoxIcon icon, const QString& title, const QString& text);

    // Test seam: while recording, boxes are not shown but kept, and the
    // answer hook (if any) runs in place of the user pressing OK.
    static void setRecording(bool on);
    static void setAnswerHook(std::function<void(const ShownBox&)> hook);
    static const std::vector<ShownBox>& recorded();
    static void clearRecorded();
};

} // namespace quorvell::app
