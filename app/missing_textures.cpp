#include "app/missing_textures.h"

#include <algorithm>

namespace quorvell::app {

namespace {
constexpr int kMostLinesShown = 3;
}

MissingTextures::MissingTextures(QWidget* parent, QWidget* list, QRect listArea)
    : QListWidget(parent), list_(list), listArea_(listArea) {
    setAccessibleName(QStringLiteral("Missing textures"));
    setToolTip(QStringLiteral("Switched on in the maps while the texture's file is gone: the "
                              "game looks for a file that is not there. Untick to switch it off."));
    setFocusPolicy(Qt::TabFocus);
    setFont(list->font());
    setStyleSheet(list->styleSheet());
    hide();
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int at = row(item);
        if (at < 0 || item->checkState() == Qt::Checked) {
            return;
        }
        const session::MissingTexture texture = textures_.at(static_cast<std::size_t>(at));
        emit switchOff(texture);
    });
}

void MissingTextures::setTextures(std::vector<session::MissingTexture> textures,
                                  std::size_t mapsScanned) {
    textures_ = std::move(textures);
    mapsScanned_ = mapsScanned;
    const QSignalBlocker quiet(this);
    clear();
    for (const auto& texture : textures_) {
        auto* item = new QListWidgetItem(
            QString::fromStdString(session::missingTextureText(texture, mapsScanned)), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setForeground(QColor(0xb0, 0x30, 0x30));
    }
    layOut();
}

void MissingTextures::remove(const std::string& name) {
    auto textures = textures_;
    std::erase_if(textures, [&](const session::MissingTexture& t) { return t.name == name; });
    setTextures(std::move(textures), mapsScanned_);
}

void MissingTextures::layOut() {
    if (textures_.empty()) {
        hide();
        list_->setGeometry(listArea_);
        return;
    }
    const int lines = std::min(static_cast<int>(textures_.size()), kMostLinesShown);
    const int height = lines * sizeHintForRow(0) + 2 * frameWidth();
    list_->setGeometry(listArea_.adjusted(0, 0, 0, -height));
    setGeometry(listArea_.x(), listArea_.bottom() + 1 - height, listArea_.width(), height);
    show();
}

} // namespace quorvell::app
