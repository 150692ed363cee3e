#pragma once

// The texture list's context menu (right click, or the Menu key). Each
// feature adds its section once, at start-up; the menu is built anew each
// time it opens, so a section can name the current row or the chosen preset
// and leave out what does not apply. Sections are separated by a line.

#include <QtCore/QObject>
#include <functional>
#include <vector>

class QMenu;
class QPoint;

namespace quorvell::app {

class TextureList;

class ListMenu : public QObject {
    Q_OBJECT
public:
    // Fills its part of the menu for the row under the pointer (-1: none).
    using Section = std::function<void(QMenu& menu, int row)>;

    explicit ListMenu(TextureList* list);

    void addSection(Section section);

    // The menu as it would open over row (-1: none); tests read its actions.
    void fill(QMenu& menu, int row) const;

private:
    void open(const QPoint& at);

    TextureList* list_;
    std::vector<Section> sections_;
};

} // namespace quorvell::app
