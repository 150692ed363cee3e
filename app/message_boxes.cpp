#include "app/message_boxes.h"

#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace quorvell::app {

namespace {
struct Seam {
    bool recording = false;
    std::function<void(const ShownBox&)> answer;
    std::function<bool(const ShownBox&)> offerAnswer;
    std::vector<ShownBox> shown;
};
Seam& seam() {
    static Seam instance;
    return instance;
}
} // namespace

void MessageBoxes::show(QWidget* parent, BoxIcon icon, const QString& title, const QString& text,
                        const QString& detail) {
    if (seam().recording) {
        seam().shown.push_back({icon, title, text, detail});
        if (seam().answer) {
            seam().answer(seam().shown.back());
        }
        return;
    }
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.setDetailedText(detail);
    box.exec();
}

bool MessageBoxes::offer(QWidget* parent, BoxIcon icon, const QString& title, const QString& text,
                         const QString& action) {
    if (seam().recording) {
        seam().shown.push_back({icon, title, text, {}, action});
        const ShownBox box = seam().shown.back();
        if (seam().answer) {
            seam().answer(box); // the box's own event loop runs as it would for show()
        }
        return seam().offerAnswer && seam().offerAnswer(box);
    }
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Close, parent);
    QPushButton* chosen = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(chosen);
    box.exec();
    return box.clickedButton() == chosen;
}

void MessageBoxes::setRecording(bool on) {
    seam().recording = on;
}

void MessageBoxes::setAnswerHook(std::function<void(const ShownBox&)> hook) {
    seam().answer = std::move(hook);
}

void MessageBoxes::setOfferHook(std::function<bool(const ShownBox&)> hook) {
    seam().offerAnswer = std::move(hook);
}

const std::vector<ShownBox>& MessageBoxes::recorded() {
    return seam().shown;
}

void MessageBoxes::clearRecorded() {
    seam().shown.clear();
}

} // namespace quorvell::app
