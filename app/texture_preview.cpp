#include "app/texture_preview.h"

#include "app/list_menu.h"
#include "app/main_window.h"
#include "app/row_tooltips.h"
#include "app/texture_list.h"
#include "app/texture_pictures.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QShortcut>
#include <QtWidgets/QMenu>

namespace quorvell::app {

namespace {

constexpr int kMargin = 8;
constexpr int kCaptionLines = 3;
constexpr int kSquare = 8; // the checkerboard's squares

bool isAlphaKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_A && key.modifiers() == Qt::AltModifier;
}

} // namespace

TexturePreview::TexturePreview(TextureList* list, RowTooltips* rows, QWidget* parent)
    : QWidget(parent), list_(list), rows_(rows) {
    const int lineHeight = fontMetrics().lineSpacing();
    resize(kPreviewSide + 2 * kMargin, kPreviewSide + 3 * kMargin + kCaptionLines * lineHeight);
    setAutoFillBackground(false);
    hide();
    connect(list_, &TextureList::currentRowChanged, this, [this] {
        if (isVisible()) {
            follow();
        }
    });
    connect(rows_->pictures(), &TexturePictures::ready, this, &TexturePreview::pictureReady);
    // Escape and Alt+A reach the preview while the list keeps the focus.
    list_->installEventFilter(this);
}

void TexturePreview::open() {
    // Over the list, inside the window.
    const QRect over = list_->geometry();
    const int x = std::clamp(over.center().x() - width() / 2, 0,
                             std::max(0, parentWidget()->width() - width()));
    const int y = std::clamp(over.top(), 0, std::max(0, parentWidget()->height() - height()));
    move(x, y);
    show();
    raise();
    follow();
}

void TexturePreview::toggleAlpha() {
    alphaShown_ = !alphaShown_;
    update();
}

void TexturePreview::follow() {
    const int row = list_->currentRow();
    const auto path = rows_->filePath(row);
    image_ = QImage();
    file_.clear();
    if (row < 0) {
        caption_ = QStringLiteral("No texture chosen");
    } else if (!path) {
        caption_ = QString::fromStdString(list_->rowText(row)) + QStringLiteral("\nNo file");
    } else {
        file_ = QString::fromStdU16String(path->u16string());
        const QString name = QString::fromStdString(list_->rowText(row));
        if (const TexturePicture* picture = rows_->pictures()->find(*path, kPreviewSide)) {
            image_ = picture->image;
            caption_ = name + u'\n' +
                       (picture->summary.isEmpty() ? picture->problem
                        : picture->problem.isEmpty()
                            ? picture->summary
                            : picture->summary + QStringLiteral("; ") + picture->problem);
        } else {
            caption_ = name + QStringLiteral("\nReading the picture…");
        }
    }
    update();
}

void TexturePreview::pictureReady(const QString& file, int side) {
    if (isVisible() && side == kPreviewSide && file == file_) {
        follow();
    }
}

void TexturePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(32, 28, 24));
    painter.setPen(QColor(150, 130, 90));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect area(kMargin, kMargin, kPreviewSide, kPreviewSide);
    if (!image_.isNull()) {
        // A small texture is enlarged by whole steps, its pixels kept sharp.
        const int factor = std::max(1, kPreviewSide / std::max(image_.width(), image_.height()));
        const QSize size = image_.size() * factor;
        const QRect at(area.x() + (kPreviewSide - size.width()) / 2,
                       area.y() + (kPreviewSide - size.height()) / 2, size.width(), size.height());
        for (int y = 0; y < at.height(); y += kSquare) {
            for (int x = 0; x < at.width(); x += kSquare) {
                const bool light = ((x + y) / kSquare) % 2 == 0;
                painter.fillRect(QRect(at.x() + x, at.y() + y, std::min(kSquare, at.width() - x),
                                       std::min(kSquare, at.height() - y)),
                                 light ? QColor(200, 200, 200) : QColor(140, 140, 140));
            }
        }
        painter.drawImage(at,
                          alphaShown_ ? image_ : image_.convertToFormat(QImage::Format_RGBX8888));
    }
    painter.setPen(QColor(230, 220, 200));
    const QString keys = alphaShown_ ? QStringLiteral("Alt+A: hide alpha · Esc: close")
                                     : QStringLiteral("Alt+A: show alpha · Esc: close");
    painter.drawText(
        QRect(kMargin, area.bottom() + kMargin, kPreviewSide, height() - area.bottom() - kMargin),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption_ + u'\n' + keys);
}

bool TexturePreview::eventFilter(QObject* watched, QEvent* event) {
    if (isVisible() &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || isAlphaKey(*key)) {
            if (event->type() == QEvent::KeyPress) {
                if (key->key() == Qt::Key_Escape) {
                    hide();
                } else {
                    toggleAlpha();
                }
            }
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TexturePreview* installTexturePreview(Form1& form) {
    auto* preview = new TexturePreview(form.List2, form.rowTooltips(), &form);
    auto* key = new QShortcut(QKeySequence(Qt::Key_F3), &form);
    QObject::connect(key, &QShortcut::activated, preview, [preview] {
        if (preview->isVisible()) {
            preview->hide();
        } else {
            preview->open();
        }
    });
    QObject::connect(form.List2, &QListWidget::doubleClicked, preview,
                     [preview] { preview->open(); });
    TextureList* list = form.List2;
    form.listMenu()->addSection([preview, list](QMenu& menu, int row) {
        if (row < 0) {
            return;
        }
        QAction* action = menu.addAction(QStringLiteral("Show picture\tF3"));
        QObject::connect(action, &QAction::triggered, preview, [preview, list, row] {
            list->setCurrentRow(row);
            preview->open();
        });
    });
    return preview;
}

} // namespace quorvell::app
