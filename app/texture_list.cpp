#include "app/texture_list.h"

#include "discovery/sorted_order.h"

#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionViewItem>

namespace quorvell::app {

TextureList::TextureList(QWidget* parent) : QListWidget(parent) {
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(model(), &QAbstractItemModel::dataChanged, this, &TextureList::onDataChanged);
}

int TextureList::addRow(const std::string& text) {
    const auto at = discovery::sortedInsertPosition(texts_, text);
    texts_.insert(texts_.begin() + static_cast<std::ptrdiff_t>(at), text);
    auto* item = new QListWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    insertItem(static_cast<int>(at), item);
    return static_cast<int>(at);
}

void TextureList::clearRows() {
    clear();
    texts_.clear();
}

std::string TextureList::rowText(int row) const {
    return texts_.at(static_cast<std::size_t>(row));
}

bool TextureList::isChecked(int row) const {
    return item(row)->checkState() == Qt::Checked;
}

void TextureList::setChecked(int row, bool checked) {
    item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TextureList::clearAllChecks() {
    for (int row = 0; row < count(); ++row) {
        setChecked(row, false);
    }
}

std::vector<bool> TextureList::marks() const {
    std::vector<bool> out;
    out.reserve(texts_.size());
    for (int row = 0; row < count(); ++row) {
        out.push_back(isChecked(row));
    }
    return out;
}

patching::TextureRows TextureList::rows() const {
    patching::TextureRows out;
    out.reserve(texts_.size());
    for (int row = 0; row < count(); ++row) {
        out.push_back({texts_[static_cast<std::size_t>(row)], isChecked(row)});
    }
    return out;
}

QRect TextureList::checkIndicatorRect(int row) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(item(row));
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = item(row)->text();
    return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

void TextureList::onDataChanged(const QModelIndex& from, const QModelIndex& to,
                                const QList<int>& roles) {
    // Only a change of a check mark is an ItemCheck; text changes are not.
    if (!roles.contains(Qt::CheckStateRole)) {
        return;
    }
    for (int row = from.row(); row <= to.row(); ++row) {
        emit itemCheck(row);
    }
}

} // namespace quorvell::app
