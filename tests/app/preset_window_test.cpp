// Presets from the window: the chooser and the plus and minus hot spots.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <fstream>

namespace quorvell::testing {
namespace {

std::string mapOf(const std::vector<std::string>& names) {
    return mapOfTextures(names, 16);
}

class PresetWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        for (const char* name : {"Brick.dds", "Moss.dds", "Slate.dds"}) {
            fake.texture(FakeInstall::kBitmaps, name);
        }
        fake.map("a.ibt", mapOf({"Brick", "Moss__overridden"}));
        fake.map("b.ibt", mapOf({"Slate", "Brick"}));
        fake.presets("walls{\r\nBrick.dds\r\nSlate.dds\r\n}\r\n"
                     "none{\r\nMoss.dds\r\nxbrick\r\n}\r\n"
                     "broken{\r\nMoss.dds\r\n");
        form = makeForm(fake);
        startAndScan(*form);
    }
    void choose(const QString& name) const {
        form->Combo1->setCurrentIndex(form->Combo1->findText(name));
    }
    std::string map(const std::string& name) const { return readFile(fake.mapPath(name)); }
    std::vector<bool> marks() const { return form->List2->marks(); } // Brick, Moss, Slate

    std::unique_ptr<app::Form1> form;
};

TEST_F(PresetWindowTest, PlusAppliesAndMinusRemovesThroughMapsAndMarks) {
    ASSERT_EQ(marks(), (std::vector<bool>{false, true, false}));
    choose("walls");
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss__overridden"})); // picking alone does nothing

    QTest::mouseClick(form->Label5, Qt::LeftButton);
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick__overridden", "Moss__overridden"}));
    EXPECT_EQ(map("b.ibt"), mapOf({"Slate__overridden", "Brick__overridden"}));
    EXPECT_FALSE(form->working());

    QTest::mouseClick(form->Label6, Qt::LeftButton);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss__overridden"}));
    EXPECT_EQ(map("b.ibt"), mapOf({"Slate", "Brick"}));
    EXPECT_FLOAT_EQ(form->Shape1->widthTwips(), 4695.0f);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PresetWindowTest, NothingHappensWithoutAPickOrWhileWorking) {
    const std::string a = map("a.ibt");
    QSignalSpy bar(form->Shape1, &app::ProgressBar::widthSet);
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    QTest::mouseClick(form->Label6, Qt::LeftButton);
    EXPECT_EQ(bar.count(), 0);

    choose("walls");
    form->forM_working(1); // a scan or toggle is running
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    form->forM_working(0);
    EXPECT_EQ(bar.count(), 0);
    EXPECT_EQ(map("a.ibt"), a);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
}

TEST_F(PresetWindowTest, RemovingABlockWithXbrickTouchesNoMapAndKeepsTheMarks) {
    const std::string a = map("a.ibt");
    choose("none");
    QTest::mouseClick(form->Label6, Qt::LeftButton);
    EXPECT_EQ(map("a.ibt"), a);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(form->working());
}

TEST_F(PresetWindowTest, UnterminatedBlockIsToldAndChangesNothing) {
    const std::string a = map("a.ibt");
    choose("broken");
    QTest::mouseClick(form->Label6, Qt::LeftButton);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_TRUE(boxes()[0].text.contains("Presets.ini"));
    EXPECT_EQ(map("a.ibt"), a);
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(form->working());
}

// The box names the file that was read, not the working folder's.
TEST_F(PresetWindowTest, AnUnterminatedBlockBesideTheProgramIsNamedWhereItLies) {
    std::filesystem::remove(fake.workingDir() / "Presets.ini");
    const std::filesystem::path beside = fake.root() / "program" / "Presets.ini";
    std::filesystem::create_directories(beside.parent_path());
    std::ofstream(beside) << "broken{\r\nMoss.dds\r\n";
    form =
        makeForm(fake, {}, std::make_shared<RecordingServices>(fake, true, beside.parent_path()));
    startAndScan(*form);
    choose("broken");
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxes()[0].text.contains(QString::fromStdString(beside.string())))
        << boxes()[0].text.toStdString();
}

} // namespace
} // namespace quorvell::testing
