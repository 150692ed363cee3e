// Puts the real windows on screen in the states the docs show, for a screen
// capture under Xvfb: "form1" (after the map scan), "form3" (help over the
// window), "form2" (the banner part-way), "tooltip" (the tooltip of the first
// texture listed twice, or of the first row, with its picture), "preview"
// (the picture of Window_glass.dds, or of the first row, over the list),
// "filter" (the list filtered by "a"), "notfound" (the box of a game not
// found: run it where no game is), "menu" (the texture list's menu over the
// first row) or "save" (the prompt for a preset's name). Reads the install the way the program
// does (WINEPREFIX, Presets.ini in the current folder); stays up for the given
// number of seconds. With a third argument it saves the windows shown, cut
// from the screen, to that PNG file just before it ends.

#include "app/list_filter.h"
#include "app/main_window.h"
#include "resources/resources.h"

#include <QtCore/QTimer>
#include <QtGui/QCursor>
#include <QtGui/QHelpEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QMenu>
#include <algorithm>
#include <filesystem>
#include <string>

namespace {

int rowToShow(const quorvell::app::TextureList& list) {
    for (int row = 1; row < list.count(); ++row) {
        if (list.rowText(row) == list.rowText(row - 1)) {
            return row;
        }
    }
    return 0;
}

// A modal box alone, since it covers the window; otherwise every window shown
// (the main window with a tooltip, say).
void saveShownWindows(const QString& file) {
    QWidget* box = QApplication::activeModalWidget();
    QRect shown = box != nullptr ? box->frameGeometry() : QRect();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (box == nullptr && window->isVisible()) {
            shown |= window->frameGeometry();
        }
    }
    QGuiApplication::primaryScreen()
        ->grabWindow(0, shown.x(), shown.y(), shown.width(), shown.height())
        .save(file);
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "form1";
    const int seconds = argc > 2 ? std::stoi(argv[2]) : 4;
    const QString output = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QApplication application(argc, argv);
    quorvell::resources::init();

    quorvell::app::Form1Setup setup;
    setup.workingDir = std::filesystem::current_path();
    quorvell::app::Form1 form(std::move(setup));
    form.start();
    QTimer::singleShot(900, &form, [&] {
        if (mode == "form3") {
            form.ShowHelpForm();
        } else if (mode == "form2") {
            form.hide();
            form.form2()->Shape1->setWidthTwips(6156.25f);
            form.form2()->showCentred();
        } else if (mode == "menu") {
            auto* menu = new QMenu(&form);
            form.listMenu()->fill(*menu, 0);
            form.List2->setCurrentRow(0);
            const QRect row = form.List2->visualItemRect(form.List2->item(0));
            menu->popup(form.List2->viewport()->mapToGlobal(row.center()));
        } else if (mode == "save") {
            auto* prompt = new QInputDialog(&form);
            prompt->setWindowTitle(QStringLiteral("Save as preset"));
            prompt->setLabelText(QStringLiteral("A name for the textures switched on now:"));
            prompt->setTextValue(QStringLiteral("my walls"));
            prompt->open();
        } else if (mode == "filter") {
            form.listFilter()->setText(QStringLiteral("a"));
        } else if (mode == "tooltip" && form.List2->count() > 0) {
            QWidget* viewport = form.List2->viewport();
            const QRect row = form.List2->visualItemRect(form.List2->item(rowToShow(*form.List2)));
            const QPoint at(row.center().x() / 2, row.center().y());
            // The pointer where a player would hold it: the tooltip stays
            // while the pointer is on its row.
            QCursor::setPos(viewport->mapToGlobal(at));
            QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &help);
        } else if (mode == "preview" && form.List2->count() > 0) {
            const auto texts = form.List2->texts();
            const auto glass = std::find(texts.begin(), texts.end(), "Window_glass.dds");
            form.List2->setCurrentRow(
                glass == texts.end() ? 0 : static_cast<int>(glass - texts.begin()));
            form.texturePreview()->open();
        }
    });
    if (!output.isEmpty()) {
        QTimer::singleShot(seconds * 1000 - 300, &application, [&] { saveShownWindows(output); });
    }
    // exit, not quit: a close request would go through the window, which holds it.
    QTimer::singleShot(seconds * 1000, &application, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
