// The list's menu: presets saved, updated and deleted from the marks, every
// texture shown switched at once, Refresh reading Presets.ini again.

#include "app/name_prompt.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtWidgets/QMenu>

namespace quorvell::testing {
namespace {

class PresetMenuTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        for (const char* name : {"Brick.dds", "Moss.dds", "Slate.dds"}) {
            fake.texture(FakeInstall::kBitmaps, name);
        }
        fake.map("a.ibt", mapOfTextures({"Brick", "Moss__overridden", "Slate"}, 16));
        fake.presets("; kept\r\nwalls{\r\nBrick.dds\r\n}\r\n");
        form = makeForm(fake);
        startAndScan(*form);
    }
    void TearDown() override {
        app::NamePrompt::setAnswerHook({});
        GuiTest::TearDown();
    }
    std::string presets() const { return readFile(fake.workingDir() / "Presets.ini"); }
    QStringList menuTexts(int row) const {
        QMenu menu;
        form->listMenu()->fill(menu, row);
        QStringList texts;
        for (const QAction* action : menu.actions()) {
            texts << action->text();
        }
        return texts;
    }

    std::unique_ptr<app::Form1> form;
};

TEST_F(PresetMenuTest, SavesUpdatesAndDeletesPresetsFromTheMarks) {
    QStringList notes;
    app::NamePrompt::setAnswerHook([&](const QString& note) -> std::optional<QString> {
        notes << note;
        return notes.size() == 1 ? QStringLiteral("WALLS") : QStringLiteral("mossy");
    });
    form->savePresetFromMarks();
    ASSERT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes[1].contains(QStringLiteral("walls"))) << notes[1].toStdString();
    EXPECT_EQ(presets(),
              "; kept\r\nwalls{\r\nBrick.dds\r\n}\r\nmossy{\r\nxbrick\r\nMoss.dds\r\n}\r\n");
    EXPECT_EQ(form->Combo1->currentText(), QStringLiteral("mossy"));
    EXPECT_TRUE(menuTexts(0).contains(QStringLiteral("Delete preset “mossy”")));

    clickCheckBox(*form, rowOf(*form, "Slate.dds"));
    form->updateChosenPreset();
    EXPECT_EQ(
        presets(),
        "; kept\r\nwalls{\r\nBrick.dds\r\n}\r\nmossy{\r\nxbrick\r\nMoss.dds\r\nSlate.dds\r\n}\r\n");

    form->deleteChosenPreset(); // the confirmation answered Close
    EXPECT_NE(presets().find("mossy"), std::string::npos);
    app::MessageBoxes::setOfferHook([](const app::ShownBox&) { return true; });
    form->deleteChosenPreset();
    EXPECT_EQ(presets(), "; kept\r\nwalls{\r\nBrick.dds\r\n}\r\n");
    EXPECT_EQ(form->Combo1->currentIndex(), -1);
}

TEST_F(PresetMenuTest, SwitchesEveryTextureShownInOneRun) {
    form->List2->setRowHidden(rowOf(*form, "Moss.dds"), true);
    QSignalSpy bar(form->Shape1, &app::ProgressBar::widthSet);
    form->switchShownOn();
    EXPECT_EQ(form->List2->marks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(readFile(fake.mapPath("a.ibt")),
              mapOfTextures({"Brick__overridden", "Moss__overridden", "Slate__overridden"}, 16));
    form->switchShownOff();
    EXPECT_EQ(form->List2->marks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(readFile(fake.mapPath("a.ibt")),
              mapOfTextures({"Brick", "Moss__overridden", "Slate"}, 16));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PresetMenuTest, SlipsAreShownOnceInOneBox) {
    fake.presets("a{\r\nBrick.dds\r\nb{\r\n}\r\nGone.dds\r\n}\r\nc{\r\n");
    auto slipped = makeForm(fake);
    startAndScan(*slipped);
    ASSERT_TRUE(waitUntil([&] { return boxes().size() == 1; }));
    EXPECT_TRUE(boxes()[0].text.contains(QStringLiteral("line 3 \"b{\"")));
    EXPECT_TRUE(boxes()[0].text.contains(QStringLiteral("line 5 \"Gone.dds\"")));
    EXPECT_TRUE(boxes()[0].text.contains(QStringLiteral("line 7 \"c{\"")));
}

TEST_F(PresetMenuTest, RefreshReadsThePresetsAgainKeepingTheChoice) {
    form->Combo1->setCurrentIndex(0);
    fake.presets("first{\r\n}\r\nwalls{\r\n}\r\n");
    form->Command5_Click();
    ASSERT_TRUE(waitUntil([&] { return !form->working(); }));
    EXPECT_EQ(form->Combo1->count(), 2);
    EXPECT_EQ(form->Combo1->currentText(), QStringLiteral("walls"));
}

} // namespace
} // namespace quorvell::testing
