#include "app/banner_form.h"

#include <QtGui/QPainter>
#include <QtGui/QScreen>

namespace quorvell::app {

Form2::Form2(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      Shape1(new ProgressBar(form2::kShape1, this)),
      background_(QString::fromLatin1(kForm2Banner)) {
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(toPixels({0, 0, form2::kClientWidth, form2::kClientHeight}).size());
}

void Form2::showCentred() {
    const QScreen* screen = this->screen();
    if (screen != nullptr) {
        QRect area = rect();
        area.moveCenter(screen->geometry().center());
        move(area.topLeft());
    }
    show();
}

void Form2::setNotice(const QString& text) {
    notice_ = text;
    update();
}

void Form2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.paint(painter, rect())) {
        paintForm2Placeholder(painter, rect());
    }
    if (notice_.isEmpty()) {
        return;
    }
    // Over the banner's own words, which the wait makes untrue for now.
    painter.fillRect(rect(), QColor(0, 0, 0, 200));
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, notice_);
}

} // namespace quorvell::app
