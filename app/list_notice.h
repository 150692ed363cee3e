#pragma once

// Shown over the texture list while its check marks are not the maps' (yet):
// while the window waits for another Quorvell to let go of the maps, and
// when the marks could not be read, with the reason and a button to try
// again. The list under it stays disabled meanwhile.

#include <QtWidgets/QFrame>

class QLabel;
class QPushButton;

namespace quorvell::app {

class ListNotice : public QFrame {
    Q_OBJECT
public:
    explicit ListNotice(QWidget* parent);

    void showWaiting(const QString& text);
    void showFailure(const QString& text);
    // Hides the waiting notice; a failure stays.
    void endWaiting();

    QString text() const;
    QPushButton* retryButton() const { return retry_; }

signals:
    void retry();

private:
    QLabel* label_;
    QPushButton* retry_;
    bool waiting_ = false;
};

} // namespace quorvell::app
