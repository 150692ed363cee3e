#pragma once

// List2: the custom textures, one check box per row. Rows are kept in the
// program's own sorted-list order (the view's built-in sorting is off), and
// every change of a check mark, by the player or by the program, is raised
// as itemCheck with the row it happened on.

#include "patching/texture_row.h"

#include <QtWidgets/QListWidget>
#include <string>
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
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    void clearAllChecks();

    std::vector<std::string> texts() const { return texts_; }
    std::vector<bool> marks() const;
    patching::TextureRows rows() const;

    // Where a player clicks to toggle a row, in viewport coordinates.
    QRect checkIndicatorRect(int row) const;

signals:
    void itemCheck(int row);

private:
    void onDataChanged(const QModelIndex& from, const QModelIndex& to, const QList<int>& roles);

    std::vector<std::string> texts_; // mirror of the rows, for sorted insertion
};

} // namespace quorvell::app
