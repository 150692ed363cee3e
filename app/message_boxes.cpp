#include "app/message_boxes.h"

#include <QtWidgets/QMessageBox>

namespace quorvell::app {

namespace {
struct Seam {
    bool recording = false;
    std::function<void(const ShownBox&)> answer;
    std::vector<ShownBox> shown;
};
Seam& seam() {
    static Seam instance;
    return instance;
}
} // namespace

void MessageBoxes::show(QWidget* parent, BoxIcon icon, const QString& title, const QString& text) {
    if (seam().recording) {
        seam().shown.push_back({icon, title, text});
        if (seam().answer) {
            seam().answer(seam().shown.back());
        }
        return;
    }
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBoxes::setRecording(bool on) {
    seam().recording = on;
}

void MessageBoxes::setAnswerHook(std::function<void(const ShownBox&)> hook) {
    seam().answer = std::move(hook);
}

const std::vector<ShownBox>& MessageBoxes::recorded() {
    return seam().shown;
}

void MessageBoxes::clearRecorded() {
    seam().shown.clear();
}

} // namespace quorvell::app
