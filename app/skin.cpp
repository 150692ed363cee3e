#include "app/skin.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quorvell::app {

namespace {

constexpr auto kBoxFrame = "#5c4a2c";

// Parchment for the list, dark brass for the chooser; the disabled look makes
// the working state visible while maps are being rewritten.
constexpr auto kListStyle = R"(
QListWidget {
    background: #ece4d0;
    color: #2b2115;
    border: 1px solid #5c4a2c;
    selection-background-color: #8c6d35;
    selection-color: #fff8e6;
    outline: none;
}
QListWidget:disabled {
    background: #d6cfbd;
    color: #7a705f;
}
)";

constexpr auto kChooserStyle = R"(
QComboBox {
    background: #2a2218;
    color: #f0dca8;
    border: 1px solid #6b5428;
    border-radius: 2px;
    padding: 0 4px;
}
QComboBox:disabled {
    color: #8a7a5a;
}
QComboBox QAbstractItemView {
    background: #2a2218;
    color: #f0dca8;
    selection-background-color: #8c6d35;
    selection-color: #fff8e6;
}
)";

// Each check box framed in the list's dark brass, which stands out from the
// parchment (6.7:1) where the style's own pale border did not.
class FramedBoxes : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        if (!(item.features & QStyleOptionViewItem::HasCheckIndicator)) {
            return;
        }
        const QWidget* view = item.widget;
        QStyle* style = view != nullptr ? view->style() : QApplication::style();
        const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, view);
        painter->save();
        painter->setPen(QColor(kBoxFrame));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

QColor boxFrameColour() {
    return QColor(kBoxFrame);
}

void applySkin(QListWidget* list, QComboBox* chooser) {
    list->setItemDelegate(new FramedBoxes(list));
    list->setStyleSheet(QString::fromLatin1(kListStyle));
    chooser->setStyleSheet(QString::fromLatin1(kChooserStyle));
}

} // namespace quorvell::app
