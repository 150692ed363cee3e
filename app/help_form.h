#pragma once

// Form3: the help panel shown while the pointer rests on the "?" button.

#include <QtWidgets/QWidget>

class QLabel;

namespace quorvell::app {

class Form3 : public QWidget {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    QLabel* Label1[3];
    // Where the game was found and the preset file in use, under the help.
    QLabel* whereLabel;
    void setWhere(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvell::app
