#pragma once

// The tooltip of each List2 row: the full file name (the row cuts a long one
// with "…"), the folder or folders it was found in (the same name in two
// texture folders gives two rows that look alike), and in how many maps it
// was on at the last scan, of the maps that use it. Built when asked for, so scans pay only a
// count.

#include "discovery/game_folders.h"
#include "session/scan.h"

#include <QtCore/QObject>
#include <QtCore/QString>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace quorvell::app {

class TextureList;

class RowTooltips : public QObject {
    Q_OBJECT
public:
    explicit RowTooltips(TextureList* list);

    // The folders of the textures found; forgets the last scan, whose rows
    // no longer hold.
    void setFound(const discovery::CustomTextureScan& scan);

    // The counts of a scan of every map, one per row as the rows are now.
    void setCounts(std::vector<session::MapCount> counts) { counts_ = std::move(counts); }

    QString tooltip(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextureList* list_;
    std::map<std::string, std::vector<std::string_view>> folders_; // by texture name
    std::vector<session::MapCount> counts_; // per row; empty: no scan since the rows were listed
};

} // namespace quorvell::app
