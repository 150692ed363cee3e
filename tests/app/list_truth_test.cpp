// The list shows the maps as they are: read again before a preset run and
// after outside changes, never enabled unread, partly-on and twin rows
// marked truly, and typing in it only ever filters.

#include "app/list_filter.h"
#include "app/list_notice.h"
#include "patching/maps_lock.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace quorvell::testing {
namespace {

std::string mapOf(const std::vector<std::string>& names) {
    return mapOfTextures(names, 16);
}

// Rows: Brick.dds twice (two folders), hi-WoodCrate_N.dds, Moss.dds, Slate.dds.
class ListTruthTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.texture(FakeInstall::kSystem, "Brick.dds");
        for (const char* name : {"hi-WoodCrate_N.dds", "Moss.dds", "Slate.dds"}) {
            fake.texture(FakeInstall::kBitmaps, name);
        }
        fake.map("a.ibt", mapOf({"Brick__overridden", "Moss__overridden", "hi-WoodCrate_N"}));
        fake.map("b.ibt", mapOf({"Brick", "Slate"}));
        fake.presets("walls{\r\nSlate.dds\r\n}\r\n");
    }
    void startWindow(std::chrono::milliseconds lockWait = std::chrono::seconds(60)) {
        form = makeForm(fake, {}, {}, nullptr, false, lockWait);
        startAndScan(*form);
        form->Combo1->setCurrentIndex(0);
    }
    std::string map(const std::string& name) const { return readFile(fake.mapPath(name)); }
    std::vector<bool> marks() const { return form->List2->marks(); }

    std::unique_ptr<app::Form1> form;
};

TEST_F(ListTruthTest, APresetRunDecidesFromTheMapsAsTheyAreNow) {
    startWindow();
    // Another program switches Moss off after the window read the maps.
    fake.map("a.ibt", mapOf({"Brick__overridden", "Moss", "hi-WoodCrate_N"}));
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick__overridden", "Moss", "hi-WoodCrate_N"}));
    EXPECT_EQ(map("b.ibt"), mapOf({"Brick__overridden", "Slate__overridden"}));
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, false, true}));
}

TEST_F(ListTruthTest, AnOutsideChangeIsFollowedWithoutAClick) {
    startWindow();
    const int slate = rowOf(*form, "Slate.dds");
    form->List2->setCurrentRow(slate);
    form->List2->setFocus();
    fake.map("a.ibt", mapOf({"Brick__overridden", "Moss", "hi-WoodCrate_N"}));
    EXPECT_TRUE(waitUntil([&] { return !marks()[3] && !form->working(); }, 1000));
    EXPECT_EQ(form->List2->currentRow(), slate);
    EXPECT_EQ(form->focusWidget(), form->List2);
    // The window's own writes are no outside change: no scan follows them.
    QSignalSpy bar(form->Shape1, &app::ProgressBar::widthSet);
    clickCheckBox(*form, slate);
    QTest::qWait(500);
    EXPECT_EQ(bar.count(), 2);
}

TEST_F(ListTruthTest, MarksThatCouldNotBeReadLeaveEverythingOffUntilARetryReadsThem) {
    auto busy = std::make_unique<patching::MapsFolderLock>(fake.gameDir() / FakeInstall::kMaps);
    form = makeForm(fake, {}, {}, nullptr, false, std::chrono::milliseconds(100));
    form->start();
    ASSERT_TRUE(waitUntil([&] { return form->listNotice()->retryButton()->isVisible(); }));
    EXPECT_TRUE(form->listNotice()->text().contains("another Quorvell"));
    for (QWidget* control :
         {static_cast<QWidget*>(form->List2), static_cast<QWidget*>(form->Combo1),
          static_cast<QWidget*>(form->Label5)}) {
        EXPECT_FALSE(control->isEnabled());
    }
    busy.reset(); // read again by itself once the maps are free
    ASSERT_TRUE(waitUntil([&] { return form->marksRead() && form->List2->isEnabled(); }));
    EXPECT_FALSE(form->listNotice()->isVisible());
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, true, false}));
}

TEST_F(ListTruthTest, TypingInTheListOnlyFilters) {
    startWindow();
    const auto before = fake.snapshot();
    form->List2->setFocus();
    QTest::keyClicks(form->List2, "hi-w");
    EXPECT_EQ(fake.snapshot(), before);
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, true, false}));
    EXPECT_EQ(form->Combo1->currentText(), "walls");
    EXPECT_EQ(form->listFilter()->countText(), "1 of 5");
}

TEST_F(ListTruthTest, TheFilterShowsMatchingRowsAndKeysActOnThemOnly) {
    startWindow();
    app::ListFilter& filter = *form->listFilter();
    form->List2->setFocus();
    QTest::keyClicks(form->List2, "O");
    EXPECT_EQ(filter.countText(), "2 of 5"); // hi-WoodCrate_N, Moss
    const int wood = rowOf(*form, "hi-WoodCrate_N.dds");
    EXPECT_EQ(form->List2->currentRow(), wood);
    QTest::keyClick(form->List2, Qt::Key_End);
    EXPECT_EQ(form->List2->currentRow(), rowOf(*form, "Moss.dds"));
    QTest::keyClick(form->List2, Qt::Key_Up);
    QTest::keyClick(form->List2, Qt::Key_Space);
    EXPECT_EQ(map("a.ibt"),
              mapOf({"Brick__overridden", "Moss__overridden", "hi-WoodCrate_N__overridden"}));
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, true, true, false}));
    filter.setText("partly:");
    EXPECT_EQ(filter.countText(), "2 of 5"); // the Brick twins
    filter.setText("on: o");
    EXPECT_EQ(filter.countText(), "2 of 5");
    QTest::keyClick(form->List2, Qt::Key_Escape);
    EXPECT_FALSE(filter.isOpen());
    EXPECT_EQ(filter.countText(), "5 of 5");
    EXPECT_EQ(app::groupedCount(2442), "2,442");
}

// Before, the batch switched twins on if plain and off if overridden on
// every run; and the run tells of the textures it made whole.
TEST_F(ListTruthTest, TwinsShareOneMarkSoARunRepeatedChangesNothing) {
    startWindow();
    EXPECT_EQ(form->List2->item(1)->checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    const auto once = fake.snapshot();
    EXPECT_EQ(map("b.ibt"), mapOf({"Brick__overridden", "Slate__overridden"}));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "walls applied; 1 texture that was on in some maps only is now on in all");
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    EXPECT_EQ(fake.snapshot(), once);
    EXPECT_EQ(form->List2->item(1)->checkState(), Qt::Checked);
}

} // namespace
} // namespace quorvell::testing
