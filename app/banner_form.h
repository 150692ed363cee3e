#pragma once

// Form2: the banner shown while command-line mode applies a preset.

#include "app/artwork.h"
#include "app/progress_bar.h"

#include <QtWidgets/QWidget>

namespace quorvell::app {

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    ProgressBar* Shape1;

    // Shows the banner centred on the screen.
    void showCentred();
    // A line written over the banner (empty: none), such as a wait for
    // another Quorvell.
    void setNotice(const QString& text);
    const QString& notice() const { return notice_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Artwork background_;
    QString notice_;
};

} // namespace quorvell::app
