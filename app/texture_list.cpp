#include "app/texture_list.h"

#include "discovery/sorted_order.h"

#include <QtCore/QSignalBlocker>
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
    std::string key = discovery::sortKeyOf(text);
    const auto at = discovery::sortedInsertPosition(keys_, texts_, key, text);
    const auto offset = static_cast<std::ptrdiff_t>(at);
    texts_.insert(texts_.begin() + offset, text);
    keys_.insert(keys_.begin() + offset, std::move(key));
    checked_.insert(checked_.begin() + offset, false);
    auto* item = new QListWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    insertItem(static_cast<int>(at), item);
    return static_cast<int>(at);
}

void TextureList::clearRows() {
    clear();
    texts_.clear();
    keys_.clear();
    checked_.clear();
}

std::string TextureList::rowText(int row) const {
    return texts_.at(static_cast<std::size_t>(row));
}

void TextureList::setChecked(int row, bool checked) {
    item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TextureList::setCheckedRows(const std::vector<std::size_t>& rows) {
    std::vector<int> changed;
    for (const std::size_t row : rows) {
        if (!checked_.at(row)) {
            checked_[row] = true;
            changed.push_back(static_cast<int>(row));
        }
    }
    showMarks(changed);
}

void TextureList::setMarks(const std::vector<bool>& marks) {
    std::vector<int> changed;
    for (std::size_t row = 0; row < checked_.size(); ++row) {
        if (checked_[row] != marks.at(row)) {
            checked_[row] = marks[row];
            changed.push_back(static_cast<int>(row));
        }
    }
    showMarks(changed);
}

void TextureList::clearAllChecks() {
    setMarks(std::vector<bool>(checked_.size(), false));
}

// The items take the marks with the model quiet: otherwise each one would
// repaint its row and go through onDataChanged on its own.
void TextureList::showMarks(const std::vector<int>& changed) {
    if (changed.empty()) {
        return;
    }
    {
        const QSignalBlocker quiet(model());
        for (const int row : changed) {
            item(row)->setCheckState(checked_[static_cast<std::size_t>(row)] ? Qt::Checked
                                                                             : Qt::Unchecked);
        }
    }
    viewport()->update();
    for (const int row : changed) {
        emit itemCheck(row);
    }
}

patching::TextureRows TextureList::rows() const {
    patching::TextureRows out;
    out.reserve(texts_.size());
    for (std::size_t row = 0; row < texts_.size(); ++row) {
        out.push_back({texts_[row], checked_[row]});
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
        checked_.at(static_cast<std::size_t>(row)) = item(row)->checkState() == Qt::Checked;
    }
    for (int row = from.row(); row <= to.row(); ++row) {
        emit itemCheck(row);
    }
}

} // namespace quorvell::app
