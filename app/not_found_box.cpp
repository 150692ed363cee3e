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

QString boxText(const QString& refused, const QString& report) {
    QString text;
    if (!refused.isEmpty()) {
        text = QStringLiteral("%1 holds no Content\\T3\\Maps folder, so it is not the game's "
                              "folder.\n\n")
                   .arg(refused);
    }
    return text + report +
           QStringLiteral("\n\nIf the game is installed somewhere else, choose its folder: the one "
                          "that holds Content\\T3\\Maps. Quorvell uses it for this run and stores "
                          "nothing. To have it found every time, start Quorvell with "
                          "QUORVELL_GAME_ROOT set to that folder.");
}

} // namespace

std::optional<discovery::GameInstall> NotFoundBox::ask(QWidget* parent, const QString& report) {
    QString refused;
    while (MessageBoxes::offer(parent, BoxIcon::Error, QStringLiteral("Quorvell"),
                               boxText(refused, report), kChoose)) {
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
    QStringList problems;
    for (const std::string& problem : startupProblems_) {
        problems << QString::fromStdString(problem);
    }
    auto chosen = NotFoundBox::ask(this, problems.join(QStringLiteral("\n\n")));
    if (!chosen) {
        return;
    }
    game_ = std::move(*chosen);
    Text2 = game_.root;
    startupProblems_.clear();
    runGuarded([this] {
        forM_working(1);
        ScanCustomTextures();
        ListMapFiles();
        forM_working(0);
        showStartupProblems();
        Timer1->start();
    });
}

} // namespace quorvell::app
