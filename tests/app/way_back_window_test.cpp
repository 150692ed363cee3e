// The window's way back: Ctrl+Z and the list's menu undo runs one by one,
// the menu restores the maps as first found, a run cut short is offered for
// undo at start-up.

#include "journal/journal.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtWidgets/QMenu>

namespace quorvell::testing {
namespace {

std::string mapOf(const std::vector<std::string>& names) {
    return mapOfTextures(names, 40);
}

class WayBackWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.texture(FakeInstall::kBitmaps, "Moss.dds");
        fake.map("a.ibt", mapOf({"Brick", "Moss__overridden"}));
        fake.map("b.ibt", mapOf({"Moss"}));
    }
    std::string map(const std::string& name) const { return readFile(fake.mapPath(name)); }
    QStringList menuTexts(app::Form1& form) const {
        QMenu menu;
        form.listMenu()->fill(menu, 0);
        QStringList texts;
        for (QAction* action : menu.actions()) {
            texts << action->text();
        }
        return texts;
    }
};

TEST_F(WayBackWindowTest, CtrlZUndoesRunsOneByOneAndRestorePutsTheFirstFoundBytesBack) {
    const auto form = makeForm(fake);
    startAndScan(*form);
    const std::string a = map("a.ibt"), b = map("b.ibt");
    clickCheckBox(*form, rowOf(*form, "Brick.dds"));
    const std::string aAfterBrick = map("a.ibt");
    clickCheckBox(*form, rowOf(*form, "Moss.dds")); // partly on: on in both, then
    clickCheckBox(*form, rowOf(*form, "Moss.dds")); // off in both
    EXPECT_TRUE(menuTexts(*form).contains(QStringLiteral("Undo: switched off Moss.dds")));

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(map("a.ibt") == aAfterBrick);
    EXPECT_TRUE(map("b.ibt") == b);
    // The marks are read again from the maps.
    EXPECT_TRUE(form->List2->isChecked(rowOf(*form, "Moss.dds")));
    EXPECT_TRUE(menuTexts(*form).contains(QStringLiteral("Undo: switched on Brick.dds")));

    clickCheckBox(*form, rowOf(*form, "Moss.dds"));
    app::MessageBoxes::setOfferHook([](const app::ShownBox& box) {
        return box.text.contains(QStringLiteral("2 references in 2 maps"));
    });
    form->restoreFirstFound();
    EXPECT_TRUE(map("a.ibt") == a);
    EXPECT_TRUE(map("b.ibt") == b);
    EXPECT_FALSE(form->List2->isChecked(rowOf(*form, "Brick.dds")));
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(WayBackWindowTest, ARunCutShortIsFoundAtStartUpAndUndoneOnRequest) {
    const std::string b = map("b.ibt");
    {
        // A run of two maps killed after its first: recorded, never ended.
        journal::Journal journal =
            journal::Journal::forMapsFolder(fake.mapPath("a.ibt").parent_path());
        patching::BatchIndex on(patching::TextureRows{{"Moss.dds", true}});
        journal.begin("window", "applied mossy",
                      {patching::planMap(fake.mapPath("b.ibt"), on),
                       patching::planMap(fake.mapPath("a.ibt"), on)});
        patching::applyPlan(patching::planMap(fake.mapPath("b.ibt"), on));
    }
    app::MessageBoxes::setOfferHook([](const app::ShownBox& box) {
        return box.text.startsWith(
            QStringLiteral("The last run (applying mossy) stopped after 1 of 1 maps"));
    });
    const auto form = makeForm(fake);
    startAndScan(*form);
    ASSERT_TRUE(waitUntil([&] { return !boxes().empty() && !form->working(); }));
    EXPECT_TRUE(map("b.ibt") == b);
    EXPECT_EQ(journal::Journal::forMapsFolder(fake.mapPath("a.ibt").parent_path()).unfinished(),
              nullptr);
}

} // namespace
} // namespace quorvell::testing
