#include "app/progress_bar.h"

#include <QtGui/QPainter>
#include <cmath>

namespace quorvell::app {

ProgressBar::ProgressBar(const Twips& fullExtent, QWidget* parent)
    : QWidget(parent), extent_(fullExtent), width_(static_cast<float>(fullExtent.width)) {
    const QRectF area = toPixelsF(extent_);
    setGeometry(
        static_cast<int>(std::floor(area.left())), static_cast<int>(std::floor(area.top())),
        static_cast<int>(std::ceil(area.right())) - static_cast<int>(std::floor(area.left())),
        static_cast<int>(std::ceil(area.bottom())) - static_cast<int>(std::floor(area.top())));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ProgressBar::setWidthTwips(float width) {
    width_ = width;
    repaint();
    emit widthSet(width);
}

void ProgressBar::paintEvent(QPaintEvent*) {
    if (width_ <= 0.0f) {
        return;
    }
    QPainter painter(this);
    const QRectF area = toPixelsF(extent_).translated(-pos());
    painter.fillRect(QRectF(area.left(), area.top(), twipsToPx(width_), area.height()), Qt::white);
}

} // namespace quorvell::app
