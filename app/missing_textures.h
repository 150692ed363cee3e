#pragma once

// The missing textures, a group of their own below the texture list: each
// one switched on in some map while its file is gone, shown as
// "Wall_brick01.dds — file missing, on in 3 of 3 maps" with a ticked box. The
// box can only be unticked, which asks for the texture to be switched off in
// every map; presets and the batch never see these lines. The group takes
// the bottom of the list's area while it has lines and is hidden otherwise.

#include "session/missing_textures.h"

#include <QtCore/QRect>
#include <QtWidgets/QListWidget>
#include <cstddef>
#include <string>
#include <vector>

namespace quorvell::app {

class MissingTextures : public QListWidget {
    Q_OBJECT
public:
    // list: the texture list, whose area (listArea) the group shares.
    MissingTextures(QWidget* parent, QWidget* list, QRect listArea);

    void setTextures(std::vector<session::MissingTexture> textures, std::size_t mapsScanned);
    const std::vector<session::MissingTexture>& textures() const { return textures_; }
    // After it was switched off in every map.
    void remove(const std::string& name);
    // Its box ticked again: it was not switched off.
    void showAgain() { setTextures(textures_, mapsScanned_); }

signals:
    void switchOff(const session::MissingTexture& texture);

private:
    void layOut();

    QWidget* list_;
    QRect listArea_;
    std::vector<session::MissingTexture> textures_;
    std::size_t mapsScanned_ = 0;
};

} // namespace quorvell::app
