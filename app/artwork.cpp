#include "app/artwork.h"

#include "app/geometry.h"

#include <QtCore/QFile>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtSvg/QSvgRenderer>

namespace quorvell::app {

Artwork::Artwork(QString resource) : resource_(std::move(resource)) {}

Artwork::~Artwork() = default;

bool Artwork::load() {
    if (!tried_) {
        tried_ = true;
        if (QFile::exists(resource_)) {
            renderer_ = std::make_unique<QSvgRenderer>(resource_);
        }
    }
    return renderer_ && renderer_->isValid();
}

bool Artwork::paint(QPainter& painter, const QRectF& target) {
    if (!load()) {
        return false;
    }
    const qreal scale = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (target.size() * scale).toSize();
    if (picture_.size() != pixels || picture_.devicePixelRatio() != scale) {
        picture_ = QPixmap(pixels);
        picture_.setDevicePixelRatio(scale);
        picture_.fill(Qt::transparent);
        QPainter onPicture(&picture_);
        renderer_->render(&onPicture, QRectF(QPointF(0, 0), target.size()));
    }
    painter.drawPixmap(target.topLeft(), picture_);
    return true;
}

void paintForm1Placeholder(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(target, QColor(0x2b, 0x2f, 0x36));
    painter.setPen(QPen(QColor(0x9a, 0x86, 0x5a), 2));
    painter.drawRect(target.adjusted(1, 1, -1, -1));

    const QRectF help = toPixelsF(form1::kLabel3);
    painter.setBrush(QColor(0x4a, 0x6f, 0xa5));
    painter.drawEllipse(help.adjusted(1, 1, -1, -1));
    painter.setPen(Qt::white);
    painter.drawText(help, Qt::AlignCenter, QStringLiteral("?"));

    const QRectF exit = toPixelsF(form1::kLabel4);
    painter.setPen(QPen(QColor(0xd0, 0x30, 0x30), 2.5));
    painter.drawLine(exit.topLeft() + QPointF(3, 2), exit.bottomRight() - QPointF(3, 2));
    painter.drawLine(exit.topRight() + QPointF(-3, 2), exit.bottomLeft() + QPointF(3, -2));

    painter.setPen(QColor(0xe8, 0xd9, 0xa8));
    painter.drawText(QRectF(40, 8, 260, 26), Qt::AlignCenter, QStringLiteral("Quorvell"));
    painter.drawText(QRectF(37, 40, 124, 21), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Pick a preset:"));

    const QRectF plus = toPixelsF(form1::kLabel5);
    painter.setPen(QPen(QColor(0x40, 0xc0, 0x50), 3));
    painter.drawLine(QPointF(plus.center().x(), plus.top() + 3),
                     QPointF(plus.center().x(), plus.bottom() - 3));
    painter.drawLine(QPointF(plus.left() + 3, plus.center().y()),
                     QPointF(plus.right() - 3, plus.center().y()));
    const QRectF minus = toPixelsF(form1::kLabel6);
    painter.setPen(QPen(QColor(0xd0, 0x30, 0x30), 3));
    painter.drawLine(QPointF(minus.left() + 3, minus.center().y()),
                     QPointF(minus.right() - 3, minus.center().y()));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    painter.drawRect(toPixelsF(form1::kList2).adjusted(-4, -4, 4, 4));
    painter.setBrush(QColor(0x10, 0x10, 0x10));
    painter.drawRect(QRectF(8, 355, 313, 9));
    painter.restore();
}

void paintForm2Placeholder(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.fillRect(target, QColor(0x2b, 0x2f, 0x36));
    painter.setPen(QPen(QColor(0x9a, 0x86, 0x5a), 2));
    painter.drawRect(target.adjusted(1, 1, -1, -1));
    painter.setPen(QColor(0xe8, 0xd9, 0xa8));
    painter.drawText(QRectF(target.left(), target.top() + 6, target.width(), 34), Qt::AlignCenter,
                     QStringLiteral("Applying preset, please wait..."));
    painter.fillRect(QRectF(36, 46, 659, 6), QColor(0x10, 0x10, 0x10));
    painter.restore();
}

QIcon applicationIcon() {
    if (!QFile::exists(QString::fromLatin1(kIcon))) {
        return {};
    }
    QSvgRenderer renderer{QString::fromLatin1(kIcon)};
    if (!renderer.isValid()) {
        return {};
    }
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace quorvell::app
