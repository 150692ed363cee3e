#pragma once

// List2: the custom textures, one check box per row. Rows are kept in the
// program's own sorted-list order (the view's built-in sorting is off), and
// every change of a check mark, by the player or by the program, is raised
// as itemCheck with the row it happened on.
//
// A checked row can be partly on (on in some maps, off in others): it shows
// a partly-checked box and counts as checked. Rows with the same text
// (twins: one name in two texture folders) always carry the same mark; a
// change of one row's mark is raised for that row only.

#include "patching/texture_row.h"

#include <QtWidgets/QListWidget>
#include <string>
#include <utility>
#include <vector>

namespace quorvell::app {

class TextureList : public QListWidget {
    Q_OBJECT
public:
    explicit TextureList(QWidget* parent = nullptr);

    // Inserts text unchecked at its sorted place; returns the row.
    int addRow(const std::string& text);
    void clearRows();

    std::string rowText(int row) const;
    bool isChecked(int row) const { return checked_.at(static_cast<std::size_t>(row)); }
    bool isPartly(int row) const { return partly_.at(static_cast<std::size_t>(row)); }
    // Which checked rows are partly on, one flag per row; unchecked rows
    // never are.
    void setPartly(const std::vector<bool>& partly);
    // The first row with the same text as row, and the row after its last.
    std::pair<int, int> twinRange(int row) const;
    // The shown rows' area ends this far above the list's bottom edge.
    void reserveBottom(int pixels) { setViewportMargins(0, 0, 0, pixels); }
    void setChecked(int row, bool checked);
    // Many check marks changed as one: the view repaints once, and itemCheck
    // is raised for each row whose mark changed, after all have changed.
    void setCheckedRows(const std::vector<std::size_t>& rows); // checks these rows
    void setMarks(const std::vector<bool>& marks);             // one mark per row
    void clearAllChecks();

    std::vector<std::string> texts() const { return texts_; }
    std::vector<bool> marks() const { return checked_; }
    patching::TextureRows rows() const;

    // Where a player clicks to toggle a row, in viewport coordinates.
    QRect checkIndicatorRect(int row) const;

signals:
    void itemCheck(int row);

protected:
    // Home, End and the page keys land on a shown row, as the arrows do.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void onDataChanged(const QModelIndex& from, const QModelIndex& to, const QList<int>& roles);
    void showMarks(const std::vector<int>& changed);

    // Mirrors of the rows: texts and sort keys for sorted insertion, check
    // marks for reading them without going through the items.
    std::vector<std::string> texts_;
    std::vector<std::string> keys_;
    std::vector<bool> checked_;
    std::vector<bool> partly_;
};

} // namespace quorvell::app
