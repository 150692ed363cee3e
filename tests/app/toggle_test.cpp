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

    // The focus is back on the list, so Space works without another click.
    EXPECT_EQ(form->focusWidget(), form->List2);
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

// Partly checked, and counted as checked; a click switches it on everywhere,
// the next one off everywhere.
TEST_F(WindowToggleTest, ATextureOnOnlyInSomeMapsIsPartlyCheckedAndAClickMakesItWhole) {
    const int moss = rowOf(*form, "Moss.dds"); // on in c.ibt, off in a.ibt
    EXPECT_EQ(form->List2->item(moss)->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(form->List2->isChecked(moss));
    clickCheckBox(*form, moss);
    EXPECT_EQ(form->List2->item(moss)->checkState(), Qt::Checked);
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss__overridden", "Brick"}));
    EXPECT_EQ(map("c.ibt"), mapOf({"Moss__overridden", "Brick"}));
    clickCheckBox(*form, moss);
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss", "Brick"}));
    EXPECT_EQ(map("c.ibt"), mapOf({"Moss", "Brick"}));
}

TEST_F(WindowToggleTest, AScanComingDueDuringAToggleWaitsForIt) {
    const std::string a = map("a.ibt");
    std::vector<float> widths;
    bool workingThroughout = true;
    bool toggledFirst = false;
    QObject::connect(form->Shape1, &app::ProgressBar::widthSet, form.get(), [&](float width) {
        toggledFirst = toggledFirst || (widths.empty() && map("a.ibt") != a);
        widths.push_back(width);
        workingThroughout = workingThroughout && form->working();
    });
    form->Timer1->start(0); // due at the toggle's first yield
    clickCheckBox(*form, rowOf(*form, "Brick.dds"));
    ASSERT_TRUE(waitUntil([&] { return widths.size() == 6 && !form->working(); }));
    EXPECT_TRUE(toggledFirst);
    EXPECT_TRUE(workingThroughout);
    EXPECT_EQ(widths, (std::vector<float>{0.0f, 2347.5f, 4695.0f, 0.0f, 2347.5f, 4695.0f}));
    EXPECT_TRUE(form->List2->isChecked(rowOf(*form, "Brick.dds")));
}

TEST_F(WindowToggleTest, CurrentRowAndFocusAreBackAfterAScan) {
    const int slate = rowOf(*form, "Slate.dds");
    form->List2->setCurrentRow(slate);
    form->List2->setFocus();
    form->Command4_Click(); // the scan itself makes row 0 current
    EXPECT_EQ(form->List2->currentRow(), slate);
    EXPECT_EQ(form->focusWidget(), form->List2);
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
    EXPECT_EQ(form->List2->item(moss)->checkState(), Qt::PartiallyChecked);
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
