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
    partly_.insert(partly_.begin() + offset, false);
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
    partly_.clear();
}

std::string TextureList::rowText(int row) const {
    return texts_.at(static_cast<std::size_t>(row));
}

void TextureList::setChecked(int row, bool checked) {
    item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

std::pair<int, int> TextureList::twinRange(int row) const {
    int first = row;
    int end = row + 1;
    const std::string& text = texts_.at(static_cast<std::size_t>(row));
    while (first > 0 && texts_[static_cast<std::size_t>(first - 1)] == text) {
        --first;
    }
    while (end < count() && texts_[static_cast<std::size_t>(end)] == text) {
        ++end;
    }
    return {first, end};
}

void TextureList::setPartly(const std::vector<bool>& partly) {
    std::vector<int> changed;
    for (std::size_t row = 0; row < partly_.size(); ++row) {
        const bool next = checked_[row] && partly.at(row);
        if (partly_[row] != next) {
            partly_[row] = next;
            changed.push_back(static_cast<int>(row));
        }
    }
    const QSignalBlocker quiet(model());
    for (const int row : changed) {
        item(row)->setCheckState(partly_[static_cast<std::size_t>(row)] ? Qt::PartiallyChecked
                                                                        : Qt::Checked);
    }
    viewport()->update();
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
            const auto at = static_cast<std::size_t>(row);
            partly_[at] = false;
            item(row)->setCheckState(checked_[at] ? Qt::Checked : Qt::Unchecked);
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

QModelIndex TextureList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex to = QListWidget::moveCursor(action, modifiers);
    if (!to.isValid() || !isRowHidden(to.row())) {
        return to;
    }
    const bool down =
        action == MoveEnd || action == MovePageDown || action == MoveDown || action == MoveNext;
    // Towards where the key was heading first, then back.
    for (const int step : {down ? -1 : 1, down ? 1 : -1}) {
        for (int row = to.row(); row >= 0 && row < count(); row += step) {
            if (!isRowHidden(row)) {
                return model()->index(row, 0);
            }
        }
    }
    return currentIndex();
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
    // A click on a partly-checked box checks it: the texture goes on
    // everywhere. Its twins take the same mark quietly.
    for (int row = from.row(); row <= to.row(); ++row) {
        const Qt::CheckState state = item(row)->checkState();
        const bool checked = state != Qt::Unchecked;
        const auto [first, end] = twinRange(row);
        const QSignalBlocker quiet(model());
        for (int twin = first; twin < end; ++twin) {
            const auto at = static_cast<std::size_t>(twin);
            checked_[at] = checked;
            partly_[at] = state == Qt::PartiallyChecked;
            if (twin != row) {
                item(twin)->setCheckState(state);
            }
        }
    }
    for (int row = from.row(); row <= to.row(); ++row) {
        emit itemCheck(row);
    }
}

} // namespace quorvell::app
