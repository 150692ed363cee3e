#include "app/not_found_box.h"

#include "app/main_window.h"
#include "app/message_boxes.h"

#include <QtCore/QDir>
#include <QtWidgets/QFileDialog>

namespace quorvell::app {

namespace {

const QString kChoose = QStringLiteral("Choose the game folder\u2026");

std::function<QString(QWidget*)>& folderDialog() {
    static std::function<QString(QWidget*)> dialog;
    return dialog;
}

QString chooseFolder(QWidget* parent) {
    if (folderDialog()) {
        return folderDialog()(parent);
    }
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Choose the game folder"),
                                             QDir::homePath());
}

QString escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

// Rich text, so each place wraps under its own bullet.
QString boxText(const QString& refused, const std::vector<discovery::PassedOver>& looked,
                const QStringList& otherProblems) {
    QString text;
    if (!refused.isEmpty()) {
        text += QStringLiteral("<p><b>%1</b> holds no Content\\T3\\Maps folder, so it is not the "
                               "game's folder.</p>")
                    .arg(refused.toHtmlEscaped());
    }
    text += QStringLiteral("<p>Thief - Deadly Shadows was not found.");
    if (!looked.empty()) {
        text += QStringLiteral(" Quorvell looked here:</p><ul>");
        for (const discovery::PassedOver& place : looked) {
            text += QStringLiteral("<li><i>%1</i>: %2</li>")
                        .arg(escaped(place.place), escaped(place.reason));
        }
        text += QStringLiteral("</ul>");
    } else {
        text += QStringLiteral("</p>");
    }
    for (const QString& problem : otherProblems) {
        text += QStringLiteral("<p>%1</p>").arg(problem.toHtmlEscaped());
    }
    return text +
           QStringLiteral("<p>If the game is installed somewhere else, choose its folder: the one "
                          "that holds Content\\T3\\Maps. Quorvell uses it for this run and stores "
                          "nothing. To have it found every time, start Quorvell with "
                          "QUORVELL_GAME_ROOT set to that folder.</p>");
}

} // namespace

std::optional<discovery::GameInstall>
NotFoundBox::ask(QWidget* parent, const std::vector<discovery::PassedOver>& looked,
                 const QStringList& otherProblems) {
    QString refused;
    while (MessageBoxes::offer(parent, BoxIcon::Error, QStringLiteral("Quorvell"),
                               boxText(refused, looked, otherProblems), kChoose)) {
        const QString folder = QDir::toNativeSeparators(chooseFolder(parent));
        if (folder.isEmpty()) {
            refused.clear(); // cancelled: back to the box as it was
            continue;
        }
        if (auto game =
                discovery::gameInFolder(folder.toStdString(), discovery::makeHostPathMapper())) {
            return game;
        }
        refused = folder;
    }
    return std::nullopt;
}

void NotFoundBox::setFolderDialog(std::function<QString(QWidget*)> dialog) {
    folderDialog() = std::move(dialog);
}

// The game chosen by hand takes the place of the one start-up could not find:
// its textures and maps are read as start-up would have, and the map scan
// follows.
void Form1::offerGameFolder() {
    // The report of the search is shown as its own list; the rest as it is.
    const std::string report = discovery::notFoundReport(game_);
    QStringList otherProblems;
    for (const std::string& problem : startupProblems_) {
        if (problem != report) {
            otherProblems << QString::fromStdString(problem);
        }
    }
    auto chosen = NotFoundBox::ask(this, game_.passedOver, otherProblems);
    if (!chosen) {
        return;
    }
    game_ = std::move(*chosen);
    Text2 = game_.root;
    readGameAgain(true);
}

} // namespace quorvell::app
