#pragma once

// The tooltip of each List2 row: the full file name (the row cuts a long one
// with "…"), the folder or folders it was found in (the same name in two
// texture folders gives two rows that look alike), and in how many maps it
// was on at the last scan. Built when asked for, so scans pay only a count.

#include "discovery/game_folders.h"

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

    // The map scan: started over the list's rows as they are now, then each
    // map with the rows it has on.
    void startScan();
    void mapScanned(const std::vector<std::size_t>& rowsOn);
    void endScan() { scanning_ = false; }

    QString tooltip(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextureList* list_;
    std::map<std::string, std::vector<std::string_view>> folders_; // by texture name
    std::vector<int> mapsOn_;                                      // per row, since startScan
    std::vector<int> lastMap_; // per row, the map that last counted it
    int mapsScanned_ = -1;     // -1: no scan since the rows were listed
    bool scanning_ = false;
};

} // namespace quorvell::app
