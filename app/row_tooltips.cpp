#include "app/row_tooltips.h"

#include "app/texture_list.h"

#include <QtGui/QHelpEvent>
#include <QtWidgets/QToolTip>

namespace quorvell::app {

namespace {

// "\Content\T3\Bitmaps" as a player reads it: inside the game folder.
QString folderText(std::string_view folder) {
    if (folder.starts_with('\\')) {
        folder.remove_prefix(1);
    }
    return QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size()));
}

} // namespace

RowTooltips::RowTooltips(TextureList* list) : QObject(list), list_(list) {
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
    QString text = QStringLiteral("<p style='white-space:pre'><b>%1</b>")
                       .arg(QString::fromStdString(name).toHtmlEscaped());
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

bool RowTooltips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || watched != list_->viewport()) {
        return QObject::eventFilter(watched, event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = list_->indexAt(help->pos());
    const QString text = index.isValid() ? tooltip(index.row()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), text, list_->viewport(), list_->visualRect(index));
    }
    return true;
}

} // namespace quorvell::app
