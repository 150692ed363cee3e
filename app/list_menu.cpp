#include "app/list_menu.h"

#include "app/texture_list.h"

#include <QtWidgets/QMenu>

namespace quorvell::app {

ListMenu::ListMenu(TextureList* list) : QObject(list), list_(list) {
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &TextureList::customContextMenuRequested, this, &ListMenu::open);
}

void ListMenu::addSection(Section section) {
    sections_.push_back(std::move(section));
}

void ListMenu::fill(QMenu& menu, int row) const {
    for (const Section& section : sections_) {
        if (!menu.isEmpty() && !menu.actions().back()->isSeparator()) {
            menu.addSeparator();
        }
        section(menu, row);
    }
    if (!menu.isEmpty() && menu.actions().back()->isSeparator()) {
        menu.removeAction(menu.actions().back());
    }
}

void ListMenu::open(const QPoint& at) {
    if (!list_->isEnabled()) {
        return;
    }
    const QModelIndex index = list_->indexAt(at);
    const int row = index.isValid() ? index.row() : list_->currentRow();
    QMenu menu(list_);
    fill(menu, row);
    if (!menu.isEmpty()) {
        menu.exec(list_->viewport()->mapToGlobal(at));
    }
}

} // namespace quorvell::app
