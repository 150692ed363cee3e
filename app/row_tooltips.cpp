#include "app/row_tooltips.h"

#include "app/texture_list.h"
#include "app/texture_pictures.h"
#include "base/path_text.h"

#include <QtGui/QHelpEvent>
#include <QtGui/QPixmap>
#include <QtGui/QTextDocument>
#include <QtWidgets/QToolTip>
#include <algorithm>
#include <mutex>

namespace quorvell::app {

namespace {

// "\Content\T3\Bitmaps" as a player reads it: inside the game folder.
QString folderText(std::string_view folder) {
    if (folder.starts_with('\\')) {
        folder.remove_prefix(1);
    }
    return QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size()));
}

// The tooltip's picture goes to its rich text as an image, by name: an image
// written into the text (a PNG in a data URL) is parsed and decoded again at
// every show, long enough to stall the window while the pointer or the
// current row moves. One picture is up at a time; each gets a new name, so a
// text's cached image never stands for another file's.
const QString kTooltipScheme = QStringLiteral("quorvell-picture");

struct ShownPicture {
    QString name;
    QPixmap pixmap;
    qint64 imageKey = 0;
    quint64 shown = 0; // pictures named so far
};
ShownPicture& shownPicture() {
    static ShownPicture picture;
    return picture;
}

QString tooltipImageName(const QImage& image) {
    ShownPicture& shown = shownPicture();
    if (shown.name.isEmpty() || shown.imageKey != image.cacheKey()) {
        shown.imageKey = image.cacheKey();
        shown.pixmap = QPixmap::fromImage(image);
        shown.name = kTooltipScheme + QStringLiteral(":%1").arg(++shown.shown);
    }
    return shown.name;
}

void provideTooltipImages() {
    static std::once_flag provided;
    std::call_once(provided, [] {
        QTextDocument::setDefaultResourceProvider([](const QUrl& url) -> QVariant {
            const ShownPicture& shown = shownPicture();
            if (url.scheme() == kTooltipScheme && url.toString() == shown.name) {
                return shown.pixmap;
            }
            return {};
        });
    });
}

} // namespace

RowTooltips::RowTooltips(TextureList* list)
    : QObject(list), list_(list), pictures_(new TexturePictures(this)) {
    provideTooltipImages();
    connect(pictures_, &TexturePictures::ready, this, &RowTooltips::showAgain);
    // Rows keep to the list's width, so a long name is cut with "…" and the
    // tooltip carries it whole.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideRight);
    list_->viewport()->installEventFilter(this);
}

void RowTooltips::setFound(const discovery::CustomTextureScan& scan) {
    folders_.clear();
    for (std::size_t i = 0; i < scan.names.size() && i < scan.folders.size(); ++i) {
        folders_[scan.names[i]].push_back(scan.folders[i]);
    }
    counts_.clear();
}

QString RowTooltips::tooltip(int row) const {
    if (row < 0 || row >= list_->count()) {
        return {};
    }
    const std::string name = list_->rowText(row);
    QString text = QStringLiteral("<p style='white-space:pre'>");
    QString about;
    if (const auto path = filePath(row)) {
        if (const TexturePicture* picture = pictures_->find(*path, kTooltipPictureSide)) {
            if (!picture->image.isNull()) {
                text += QStringLiteral("<img src='%1'><br>").arg(tooltipImageName(picture->image));
            }
            QStringList parts;
            for (const QString& part : {picture->summary, picture->problem}) {
                if (!part.isEmpty()) {
                    parts << part.toHtmlEscaped();
                }
            }
            about = parts.join(QStringLiteral("; "));
        } else {
            about = QStringLiteral("Reading the picture…");
        }
    }
    text += QStringLiteral("<b>%1</b>").arg(QString::fromStdString(name).toHtmlEscaped());
    if (!about.isEmpty()) {
        text += QStringLiteral("<br>") + about;
    }
    if (const auto found = folders_.find(name); found != folders_.end()) {
        QStringList folders;
        for (const std::string_view folder : found->second) {
            folders << folderText(folder).toHtmlEscaped();
        }
        text += QStringLiteral("<br>Found in %1").arg(folders.join(QStringLiteral(" and in ")));
    }
    if (counts_.size() == static_cast<std::size_t>(list_->count())) {
        // A name listed twice is switched through its first row only: the
        // count is the name's, whichever of its rows is asked about.
        int first = row;
        while (first > 0 && list_->rowText(first - 1) == name) {
            --first;
        }
        std::string count = mapCountText(counts_[static_cast<std::size_t>(first)]);
        count[0] = static_cast<char>(count[0] - 'a' + 'A');
        text += QStringLiteral("<br>%1 at the last scan").arg(QString::fromStdString(count));
    }
    return text + QStringLiteral("</p>");
}

std::optional<std::filesystem::path> RowTooltips::filePath(int row) const {
    if (!game_.found() || row < 0 || row >= list_->count()) {
        return std::nullopt;
    }
    const std::string name = list_->rowText(row);
    const auto found = folders_.find(name);
    if (found == folders_.end() || found->second.empty()) {
        return std::nullopt;
    }
    // Rows of one name follow each other, in the order their folders were
    // listed.
    std::size_t nth = 0;
    while (static_cast<int>(nth) < row && list_->rowText(row - 1 - static_cast<int>(nth)) == name) {
        ++nth;
    }
    const std::string_view folder = found->second[std::min(nth, found->second.size() - 1)];
    return game_.hostPath(folder) / pathFromUtf8(name);
}

void RowTooltips::showAgain(const QString& file, int side) {
    if (side != kTooltipPictureSide || shownRow_ < 0 || !QToolTip::isVisible()) {
        return;
    }
    const auto path = filePath(shownRow_);
    if (!path || QString::fromStdU16String(path->u16string()) != file) {
        return;
    }
    const QRect rect = list_->visualRect(list_->model()->index(shownRow_, 0));
    QToolTip::showText(shownAt_, tooltip(shownRow_), list_->viewport(), rect);
}

bool RowTooltips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || watched != list_->viewport()) {
        return QObject::eventFilter(watched, event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = list_->indexAt(help->pos());
    const QString text = index.isValid() ? tooltip(index.row()) : QString();
    shownRow_ = text.isEmpty() ? -1 : index.row();
    shownAt_ = help->globalPos();
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), text, list_->viewport(), list_->visualRect(index));
    }
    return true;
}

} // namespace quorvell::app
