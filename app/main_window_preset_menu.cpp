// The list's context menu for presets and the whole list: the marks saved as
// a preset, the chosen preset updated or deleted, every texture shown
// switched on or off in one run, a texture's name copied.

#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/name_prompt.h"
#include "app/not_found_box.h"
#include "presets/preset_edit.h"
#include "presets/preset_slips.h"
#include "session/preset_places.h"
#include "session/runs.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMenu>

namespace quorvell::app {

namespace {

QAction* listAction(Form1& form, const QKeySequence& key, void (Form1::*slot)()) {
    auto* action = new QAction(&form);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    form.addAction(action);
    QObject::connect(action, &QAction::triggered, &form, slot);
    return action;
}

} // namespace

void Form1::addPresetMenu() {
    saveAction_ =
        listAction(*this, QKeySequence(Qt::CTRL | Qt::Key_S), &Form1::savePresetFromMarks);
    updateAction_ =
        listAction(*this, QKeySequence(Qt::CTRL | Qt::Key_U), &Form1::updateChosenPreset);
    deleteAction_ =
        listAction(*this, QKeySequence(Qt::CTRL | Qt::Key_Delete), &Form1::deleteChosenPreset);
    allOnAction_ = listAction(*this, QKeySequence(Qt::CTRL | Qt::Key_A), &Form1::switchShownOn);
    allOffAction_ =
        listAction(*this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), &Form1::switchShownOff);
    copyAction_ = listAction(*this, QKeySequence::Copy, &Form1::copyCurrentName);
    listMenu_->addSection([this](QMenu& menu, int row) {
        const QString chosen = Combo1->currentIndex() >= 0 ? Combo1->currentText() : QString();
        saveAction_->setText(QStringLiteral("Save as preset…"));
        menu.addAction(saveAction_);
        if (!chosen.isEmpty()) {
            updateAction_->setText(QStringLiteral("Update preset “%1”").arg(chosen));
            deleteAction_->setText(QStringLiteral("Delete preset “%1”").arg(chosen));
            menu.addAction(updateAction_);
            menu.addAction(deleteAction_);
        }
        menu.addSeparator();
        allOnAction_->setText(QStringLiteral("Switch on every texture shown"));
        allOffAction_->setText(QStringLiteral("Switch off every texture shown"));
        menu.addAction(allOnAction_);
        menu.addAction(allOffAction_);
        menu.addAction(QStringLiteral("Choose another game folder…"), this, [this] {
            if (working() || gate_.busy()) {
                return;
            }
            if (auto game = NotFoundBox::choose(this)) {
                useChosenGame(std::move(*game));
            }
        });
        if (row >= 0) {
            List2->setCurrentRow(row);
            copyAction_->setText(QStringLiteral("Copy name"));
            menu.addAction(copyAction_);
        }
    });
}

session::Presets Form1::presetsInUse() const {
    session::Presets presets;
    presets.file = presetFile_;
    std::error_code ec;
    presets.found = std::filesystem::exists(presetFile_, ec);
    return presets;
}

// The file is read again as written; the preset named is chosen after.
void Form1::writePresets(const std::function<session::Presets(const session::Presets&)>& write,
                         const std::string& choose) {
    if (working() || gate_.busy()) {
        return;
    }
    try {
        write(presetsInUse());
    } catch (const std::exception& e) {
        showMessage(true, QStringLiteral("Quorvell"),
                    QStringLiteral("Presets.ini was not changed: ") +
                        QString::fromStdString(e.what()));
        return;
    }
    import_presetS();
    Combo1->setCurrentIndex(Combo1->findText(QString::fromStdString(choose), Qt::MatchExactly));
}

void Form1::savePresetFromMarks() {
    if (working() || gate_.busy()) {
        return;
    }
    std::vector<std::string> names;
    for (int i = 0; i < Combo1->count(); ++i) {
        names.push_back(Combo1->itemText(i).toStdString());
    }
    QString note = QStringLiteral("A name for the textures switched on now:");
    QString typed;
    for (;;) {
        const auto answer = NamePrompt::ask(this, QStringLiteral("Save as preset"), note, typed);
        if (!answer) {
            return;
        }
        typed = *answer;
        const auto problem = presets::presetNameProblem(typed.toStdString(), names);
        if (!problem) {
            break;
        }
        note = QString::fromStdString(*problem) + QStringLiteral(". Another name:");
    }
    const std::string name = typed.toStdString();
    const auto entries = presets::presetEntriesFor(List2->texts(), List2->marks());
    writePresets(
        [&](const session::Presets& in) { return session::savePreset(in, name, entries, false); },
        name);
}

void Form1::updateChosenPreset() {
    if (Combo1->currentIndex() < 0) {
        return;
    }
    const std::string name = Combo1->currentText().toStdString();
    const auto entries = presets::presetEntriesFor(List2->texts(), List2->marks());
    writePresets(
        [&](const session::Presets& in) { return session::savePreset(in, name, entries, true); },
        name);
}

void Form1::deleteChosenPreset() {
    if (Combo1->currentIndex() < 0 || working() || gate_.busy()) {
        return;
    }
    const QString chosen = Combo1->currentText();
    if (!MessageBoxes::offer(this, BoxIcon::Information, QStringLiteral("Delete preset"),
                             QStringLiteral("Delete preset “%1” from %2?")
                                 .arg(chosen, QString::fromStdString(presetFile_.string())),
                             QStringLiteral("Delete"))) {
        return;
    }
    const std::string name = chosen.toStdString();
    writePresets([&](const session::Presets& in) { return session::deletePreset(in, name); }, {});
}

void Form1::switchShownOn() {
    switchShownRows(true);
}

void Form1::switchShownOff() {
    switchShownRows(false);
}

// One run over the maps for every row the list shows, with one progress bar.
void Form1::switchShownRows(bool on) {
    if (working() || gate_.busy()) {
        return;
    }
    std::vector<bool> marks = List2->marks();
    patching::TextureRows rows;
    for (int row = 0; row < List2->count(); ++row) {
        if (!List2->isRowHidden(row) && marks[static_cast<std::size_t>(row)] != on) {
            rows.push_back({List2->rowText(row), on});
            marks[static_cast<std::size_t>(row)] = on;
        }
    }
    if (rows.empty()) {
        return;
    }
    runOperation(
        [this, rows, marks, on] {
            EventYield yield;
            const YieldInUse inUse(yield_, yield);
            session::RunContext context = runContext(BarRule::Preset, yield);
            const session::BatchResult result = session::runBatch(
                List3.paths(), patching::BatchIndex(rows), false, context,
                on ? "switched on every texture shown" : "switched off every texture shown");
            List2->setMarks(marks);
            reportNotSwitchedOn(result.notSwitchedOn);
        },
        FailurePolicy::Marks::Rescanned, List2->marks());
}

void Form1::showPresetSlips() {
    const std::vector<std::string> texts = List2->texts();
    const auto slips = presets::findPresetSlips(List5.lines(), game_.found() ? &texts : nullptr);
    if (slips.empty()) {
        return;
    }
    showMessage(true, QStringLiteral("Quorvell"),
                QStringLiteral("Some lines of %1 look like slips; the file is read as it is:\n\n")
                        .arg(QString::fromStdString(presetFile_.string())) +
                    QString::fromStdString(presets::describeSlips(slips)));
}

void Form1::copyCurrentName() {
    const int row = List2->currentRow();
    if (row >= 0) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(List2->rowText(row)));
    }
}

} // namespace quorvell::app
