#include "app/texture_pictures.h"

#include "textures/picture.h"

#include <QtCore/QFileInfo>
#include <QtCore/QThread>
#include <algorithm>

namespace quorvell::app {

namespace {

// Room for about a thousand tooltip pictures and their PNG text.
constexpr qsizetype kCacheBytes = 96 * 1024 * 1024;

QString keyOf(const QString& file, int side) {
    return QString::number(side) + u'|' + file;
}

TexturePicture decode(const std::filesystem::path& path, int side) {
    TexturePicture picture;
    const textures::TextureReading reading =
        textures::readPicture(path, static_cast<std::uint32_t>(side));
    if (reading.info) {
        picture.summary = QString::fromStdString(reading.info->summary());
    }
    picture.problem = QString::fromStdString(reading.problem);
    if (!reading.picture) {
        return picture;
    }
    const textures::Picture& rgba = *reading.picture;
    QImage image(rgba.rgba.data(), static_cast<int>(rgba.width), static_cast<int>(rgba.height),
                 static_cast<qsizetype>(rgba.width) * 4, QImage::Format_RGBA8888);
    if (image.width() > side || image.height() > side) {
        picture.image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } else {
        picture.image = image.copy();
    }
    return picture;
}

} // namespace

TexturePictures::TexturePictures(QObject* parent) : QObject(parent), cache_(kCacheBytes) {
    // Leave a core to the window, and give way to it.
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
    pool_.setThreadPriority(QThread::LowPriority);
}

TexturePictures::~TexturePictures() {
    pool_.clear();
    pool_.waitForDone();
}

const TexturePicture* TexturePictures::find(const std::filesystem::path& file, int side) {
    const QString name = QString::fromStdU16String(file.u16string());
    const QString key = keyOf(name, side);
    const QFileInfo info(name);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (const TexturePicture* known = cache_.object(key);
        known != nullptr && known->fileSize == size && known->modified == modified) {
        return known;
    }
    if (!pending_.contains(key)) {
        pending_.insert(key);
        pool_.start([this, file, side, key, name, size, modified] {
            TexturePicture picture = decode(file, side);
            picture.fileSize = size;
            picture.modified = modified;
            QMetaObject::invokeMethod(
                this,
                [this, key, name, side, picture = std::move(picture)]() mutable {
                    store(key, name, side, std::move(picture));
                },
                Qt::QueuedConnection);
        });
    }
    return nullptr;
}

void TexturePictures::store(const QString& key, const QString& file, int side,
                            TexturePicture picture) {
    pending_.remove(key);
    const qsizetype cost = picture.image.sizeInBytes() + 256;
    cache_.insert(key, new TexturePicture(std::move(picture)), cost);
    emit ready(file, side);
}

} // namespace quorvell::app
