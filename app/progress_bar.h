#pragma once

// Shape1: a filled white bar whose left edge, top and height stay put while
// its width (in twips, a 32-bit float) shows the progress.

#include "app/geometry.h"

#include <QtWidgets/QWidget>

namespace quorvell::app {

class ProgressBar : public QWidget {
    Q_OBJECT
public:
    ProgressBar(const Twips& fullExtent, QWidget* parent);

    float widthTwips() const { return width_; }
    // Sets the width and repaints the bar at once.
    void setWidthTwips(float width);

signals:
    void widthSet(float width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Twips extent_;
    float width_;
};

} // namespace quorvell::app
