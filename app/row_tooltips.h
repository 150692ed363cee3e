#pragma once

// The tooltip of each List2 row: the full file name (the row cuts a long one
// with "…"), the folder or folders it was found in (the same name in two
// texture folders gives two rows that look alike), and in how many maps it
// was on at the last scan, of the maps that use it. Built when asked for, so scans pay only a
// count. Above them, a picture of the texture and its size and format,
// decoded off the UI thread: a tooltip shown before its picture is ready is
// shown again when it is.

#include "discovery/game_folders.h"
#include "discovery/game_root.h"
#include "session/scan.h"

#include <QtCore/QObject>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::app {

class TextureList;
class TexturePictures;

// The longer side of a tooltip's picture.
inline constexpr int kTooltipPictureSide = 128;

class RowTooltips : public QObject {
    Q_OBJECT
public:
    explicit RowTooltips(TextureList* list);

    // The folders of the textures found; forgets the last scan, whose rows
    // no longer hold.
    void setFound(const discovery::CustomTextureScan& scan);

    // The counts of a scan of every map, one per row as the rows are now.
    void setCounts(std::vector<session::MapCount> counts) { counts_ = std::move(counts); }

    // The game whose folders the textures were found in.
    void setGame(const discovery::GameInstall& game) { game_ = game; }

    QString tooltip(int row) const;

    // The file a row stands for (its name in the folder of that row).
    std::optional<std::filesystem::path> filePath(int row) const;
    TexturePictures* pictures() const { return pictures_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAgain(const QString& file, int side);

    TextureList* list_;
    TexturePictures* pictures_;
    discovery::GameInstall game_;
    int shownRow_ = -1; // the row whose tooltip is up
    QPoint shownAt_;
    std::map<std::string, std::vector<std::string_view>> folders_; // by texture name
    std::vector<session::MapCount> counts_; // per row; empty: no scan since the rows were listed
};

} // namespace quorvell::app
