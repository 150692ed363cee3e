#pragma once

// Pictures of the texture files for the tooltips and the preview, decoded on
// a thread pool and kept per file and size (a file whose size or time
// changed is decoded again). The window asks and goes on: find() gives what
// is ready, and ready() says when something asked for is.

#include <QtCore/QCache>
#include <QtCore/QDateTime>
#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QThreadPool>
#include <QtGui/QImage>
#include <filesystem>

namespace quorvell::app {

struct TexturePicture {
    QImage image;    // at most the size asked for on its longer side; null: no picture
    QString summary; // "2048 × 2048, DXT5, 12 mip levels"; empty when the header is bad
    QString problem; // why there is no picture
    qint64 fileSize = -1;
    QDateTime modified;
};

class TexturePictures : public QObject {
    Q_OBJECT
public:
    explicit TexturePictures(QObject* parent = nullptr);
    ~TexturePictures() override;

    // The picture of file at most side px, or nullptr while it is decoded
    // (ready() follows).
    const TexturePicture* find(const std::filesystem::path& file, int side);

    // Waits for the pictures being decoded (tests and benchmarks).
    void waitForDone() { pool_.waitForDone(); }

signals:
    void ready(const QString& file, int side);

private:
    void store(const QString& key, const QString& file, int side, TexturePicture picture);

    QThreadPool pool_;
    QCache<QString, TexturePicture> cache_;
    QSet<QString> pending_;
};

} // namespace quorvell::app
