// The player's toggle of one texture, and the progress bar it and the scan
// move.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

namespace quorvell::testing {
namespace {

std::string mapOf(const std::vector<std::string>& names) {
    return mapOfTextures(names, 40);
}

class WindowToggleTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.texture(FakeInstall::kBitmaps, "Moss.dds");
        fake.texture(FakeInstall::kDynamic, "Slate.dds");
        fake.map("a.ibt", mapOf({"Brick", "Moss", "Brick"}));
        fake.map("b.ibt", mapOf({"Slate"}));
        fake.map("c.ibt", mapOf({"Moss__overridden", "Brick"}));
        form = makeForm(fake);
        startAndScan(*form);
    }
    std::string map(const std::string& name) const { return readFile(fake.mapPath(name)); }

    std::unique_ptr<app::Form1> form;
};

TEST_F(WindowToggleTest, ClickingACheckBoxRewritesEveryMapAndSpaceUndoesIt) {
    const int brick = rowOf(*form, "Brick.dds");
    ASSERT_FALSE(form->List2->isChecked(brick));

    clickCheckBox(*form, brick);
    EXPECT_TRUE(form->List2->isChecked(brick));
    EXPECT_EQ(form->List2->currentRow(), brick);
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick__overridden", "Moss", "Brick__overridden"}));
    EXPECT_EQ(map("b.ibt"), mapOf({"Slate"}));
    EXPECT_EQ(map("c.ibt"), mapOf({"Moss__overridden", "Brick__overridden"}));
    EXPECT_FALSE(form->working());

    form->List2->setFocus();
    QTest::keyClick(form->List2, Qt::Key_Space);
    EXPECT_FALSE(form->List2->isChecked(brick));
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss", "Brick"}));
    EXPECT_EQ(map("c.ibt"), mapOf({"Moss__overridden", "Brick"}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(WindowToggleTest, TheRowWhoseMarkChangedIsSwitchedNotTheCurrentRow) {
    form->List2->setCurrentRow(rowOf(*form, "Brick.dds"));
    // A mark changed without the row becoming current, as an assistive
    // tool may do.
    form->List2->setChecked(rowOf(*form, "Slate.dds"), true);
    EXPECT_EQ(map("b.ibt"), mapOf({"Slate__overridden"}));
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss", "Brick"}));
}

TEST_F(WindowToggleTest, MarksSetWhileWorkingNeverPatch) {
    const std::string a = map("a.ibt");
    const std::string c = map("c.ibt");
    form->forM_working(1);
    form->List2->setChecked(rowOf(*form, "Brick.dds"), true);
    form->List2->clearAllChecks();
    form->forM_working(0);
    EXPECT_EQ(map("a.ibt"), a);
    EXPECT_EQ(map("c.ibt"), c);
    // The scan sets marks again, and patches nothing; the mark is shown in
    // the list and raised for its row alone.
    QSignalSpy raised(form->List2, &app::TextureList::itemCheck);
    form->Command4_Click();
    const int moss = rowOf(*form, "Moss.dds");
    EXPECT_TRUE(form->List2->isChecked(moss));
    EXPECT_EQ(form->List2->item(moss)->checkState(), Qt::Checked);
    ASSERT_EQ(raised.count(), 1);
    EXPECT_EQ(raised.front().front().toInt(), moss);
    EXPECT_EQ(map("a.ibt"), a);
    EXPECT_EQ(map("c.ibt"), c);
}

TEST_F(WindowToggleTest, MainBarAfterFirstAndLastMap) {
    QSignalSpy widths(form->Shape1, &app::ProgressBar::widthSet);
    clickCheckBox(*form, rowOf(*form, "Moss.dds"));
    ASSERT_EQ(widths.count(), 3);
    EXPECT_FLOAT_EQ(widths.at(0).at(0).toFloat(), 0.0f);
    EXPECT_FLOAT_EQ(widths.at(1).at(0).toFloat(), 2347.5f);
    EXPECT_FLOAT_EQ(widths.at(2).at(0).toFloat(), 4695.0f);
    EXPECT_FLOAT_EQ(form->Shape1->widthTwips(), 4695.0f);
}

class SingleMapTest : public GuiTest {};

TEST_F(SingleMapTest, OneMapShowsTheBarFullAndNoMapsLeaveItAlone) {
    fake.texture(FakeInstall::kBitmaps, "Brick.dds");
    fake.map("a.ibt", mapOf({"Brick"}));
    auto form = makeForm(fake);
    QSignalSpy widths(form->Shape1, &app::ProgressBar::widthSet);
    startAndScan(*form);
    ASSERT_EQ(widths.count(), 1);
    EXPECT_FLOAT_EQ(widths.at(0).at(0).toFloat(), 4695.0f);

    std::filesystem::remove(fake.mapPath("a.ibt"));
    auto empty = makeForm(fake);
    QSignalSpy none(empty->Shape1, &app::ProgressBar::widthSet);
    startAndScan(*empty);
    clickCheckBox(*empty, 0);
    EXPECT_EQ(none.count(), 0);
    EXPECT_FALSE(empty->working());
}

TEST_F(SingleMapTest, ATextureWhoseNameIsTooLongIsNamedOnceAtTheEnd) {
    const std::string longBase(52, 'L');
    fake.texture(FakeInstall::kBitmaps, longBase + ".dds");
    fake.map("a.ibt", mapOf({longBase}));
    fake.map("b.ibt", mapOf({longBase}));
    auto form = makeForm(fake);
    startAndScan(*form);
    clickCheckBox(*form, 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Information);
    EXPECT_TRUE(boxes()[0].text.contains(QString::fromStdString(longBase + ".dds")));
    EXPECT_EQ(readFile(fake.mapPath("a.ibt")), mapOf({longBase}));
    EXPECT_FALSE(form->working());
}

} // namespace
} // namespace quorvell::testing
