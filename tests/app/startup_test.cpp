// Start-up: its order, the window as it first shows, the map scan after it,
// and the choice of command-line mode.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtGui/QScreen>

namespace quorvell::testing {
namespace {

class StartupTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Gamma_door.dds");
        fake.texture(FakeInstall::kDynamic, "alpha_wall.dds");
        fake.texture(FakeInstall::kSystem, "Beta_floor.dds");
        first = MapBuilder().texture("alpha_wall__overridden").texture("Beta_floor").end().bytes();
        second = MapBuilder().texture("Gamma_door").texture("alpha_wall").end().bytes();
        fake.map("one.ibt", first);
        fake.map("two.ibt", second);
        fake.presets("walls{\r\nalpha_wall.dds\r\n}\r\nall{\r\n*\r\n}\r\n");
    }
    std::string first;
    std::string second;
};

TEST_F(StartupTest, ReadsInOrderAndShowsEveryBoxEmptyUntilTheScan) {
    auto services = std::make_shared<RecordingServices>(fake);
    auto form = makeForm(fake, {}, services);
    form->start();

    EXPECT_EQ(services->calls,
              (std::vector<std::string>{"presets", "root", "catalogue", "textures", "maps"}));
    ASSERT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Quorvell");
    QRect centred(0, 0, 331, 370); // the first start: centred on the pointer's screen
    centred.moveCenter(form->screen()->availableGeometry().center());
    EXPECT_EQ(form->geometry(), centred);
    EXPECT_EQ(form->List2->texts(),
              (std::vector<std::string>{"alpha_wall.dds", "Beta_floor.dds", "Gamma_door.dds"}));
    EXPECT_EQ(form->List2->marks(), (std::vector<bool>{false, false, false}));
    // Off until the scan has set the marks: a toggle now would act on empty boxes.
    EXPECT_TRUE(form->working());
    EXPECT_FALSE(form->List2->isEnabled());
    EXPECT_EQ(form->Combo1->count(), 2);
    EXPECT_EQ(form->Combo1->currentIndex(), -1);
    EXPECT_FALSE(form->Combo1->isEditable());
    EXPECT_EQ(form->List5.count(), 6);
    EXPECT_EQ(form->List3.count(), 2);
    EXPECT_EQ(form->Text2, FakeInstall::kRoot);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_FALSE(form->Timer3->isActive());

    ASSERT_TRUE(waitUntil([&] { return !form->Timer1->isActive() && !form->working(); }));
    EXPECT_EQ(form->List2->marks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(form->List2->currentRow(), 0);
    EXPECT_EQ(form->focusWidget(), form->List2);
    // The scan reads; the check marks it sets never patch a map.
    EXPECT_EQ(readFile(fake.mapPath("one.ibt")), first);
    EXPECT_EQ(readFile(fake.mapPath("two.ibt")), second);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartupTest, ArgumentTextHidesTheWindowAndArmsTimer3Instead) {
    Console console;
    auto form = makeForm(fake, "no such preset", {}, &console);
    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    form->start();

    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(form->Timer3->isActive());
    EXPECT_FALSE(form->working());

    ASSERT_TRUE(waitUntil([&] { return ended.count() == 1; }));
    EXPECT_EQ(ended.at(0).at(0).toInt(), 2); // nothing matched
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(readFile(fake.mapPath("one.ibt")), first);
    EXPECT_EQ(readFile(fake.mapPath("two.ibt")), second);
}

TEST_F(StartupTest, MissingPresetFileGivesAnEmptyChooserWithoutABox) {
    std::filesystem::remove(fake.workingDir() / "Presets.ini");
    auto form = makeForm(fake);
    startAndScan(*form);
    EXPECT_EQ(form->Combo1->count(), 0);
    EXPECT_EQ(form->List5.count(), 0);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartupTest, GameNotFoundIsToldOnceAfterStartUp) {
    auto services = std::make_shared<RecordingServices>(fake, false);
    auto form = makeForm(fake, {}, services);
    startAndScan(*form);
    ASSERT_TRUE(waitUntil([&] { return !boxes().empty(); }));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_TRUE(boxes()[0].text.contains("Thief - Deadly Shadows was not found"));
    EXPECT_EQ(form->List2->count(), 0);
    EXPECT_EQ(form->List3.count(), 0);
}

TEST_F(StartupTest, FoldersThatCannotBeListedAreToldTogether) {
    std::filesystem::remove_all(fake.gameDir() / FakeInstall::kSystem);
    std::filesystem::remove_all(fake.gameDir() / "Content/T3/Maps");
    auto form = makeForm(fake);
    startAndScan(*form);
    ASSERT_TRUE(waitUntil([&] { return !boxes().empty(); }));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_TRUE(boxes()[0].text.contains("Data"));
    EXPECT_TRUE(boxes()[0].text.contains("Maps"));
    // The folders that could be listed still count.
    EXPECT_EQ(form->List2->count(), 2);
}

TEST_F(StartupTest, RefreshEmptiesTheListAndScansAgainOnce) {
    auto form = makeForm(fake);
    startAndScan(*form);
    fake.texture(FakeInstall::kBitmaps, "Delta_roof.dds");
    QSignalSpy scans(form->Shape1, &app::ProgressBar::widthSet);
    form->Command5_Click();
    EXPECT_EQ(form->List2->texts(), (std::vector<std::string>{"alpha_wall.dds", "Beta_floor.dds",
                                                              "Delta_roof.dds", "Gamma_door.dds"}));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_TRUE(form->working());
    ASSERT_TRUE(waitUntil([&] { return !form->Timer1->isActive() && !form->working(); }));
    EXPECT_EQ(form->List2->marks(), (std::vector<bool>{true, false, false, false}));
    QTest::qWait(700);
    EXPECT_EQ(scans.count(), 2); // one scan over two maps, not two scans
}

} // namespace
} // namespace quorvell::testing
