#include "app/not_found_box.h"

#include "app/main_window.h"
#include "app/message_boxes.h"

#include <QtCore/QDir>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

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
                          "that holds Content\\T3\\Maps. Quorvell remembers it for the next "
                          "start (QUORVELL_GAME_ROOT, when set, still comes first).</p>");
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

std::optional<discovery::GameInstall> NotFoundBox::choose(QWidget* parent) {
    const QString folder = QDir::toNativeSeparators(chooseFolder(parent));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    if (auto game =
            discovery::gameInFolder(folder.toStdString(), discovery::makeHostPathMapper())) {
        return game;
    }
    MessageBoxes::show(parent, BoxIcon::Error, QStringLiteral("Quorvell"),
                       folder + QStringLiteral(" holds no Content\\T3\\Maps folder, so it is not "
                                               "the game's folder."));
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
        showNotFoundPanel();
        return;
    }
    useChosenGame(std::move(*chosen));
}

void Form1::useChosenGame(discovery::GameInstall game) {
    if (notFoundPanel_ != nullptr) {
        notFoundPanel_->hide();
    }
    services_->rememberGameFolder(game.root);
    game_ = std::move(game);
    Text2 = game_.root;
    readGameAgain(true);
}

void Form1::showNotFoundPanel() {
    if (notFoundPanel_ == nullptr) {
        notFoundPanel_ = new QWidget(this);
        notFoundPanel_->setObjectName(QStringLiteral("notFoundPanel"));
        notFoundPanel_->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(notFoundPanel_);
        auto* text = new QLabel(QStringLiteral("Thief - Deadly Shadows was not found."));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignCenter);
        auto* choose = new QPushButton(kChoose);
        choose->setObjectName(QStringLiteral("chooseGameFolder"));
        auto* exit = new QPushButton(QStringLiteral("Exit"));
        layout->addStretch();
        layout->addWidget(text);
        layout->addWidget(choose);
        layout->addWidget(exit);
        layout->addStretch();
        connect(choose, &QPushButton::clicked, this, [this] {
            if (auto game = NotFoundBox::choose(this)) {
                useChosenGame(std::move(*game));
            }
        });
        connect(exit, &QPushButton::clicked, this, &Form1::Label4_Click);
    }
    notFoundPanel_->setGeometry(List2->geometry());
    notFoundPanel_->show();
    notFoundPanel_->raise();
}

} // namespace quorvell::app
