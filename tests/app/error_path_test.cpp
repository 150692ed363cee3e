// A failure at the top of an event handler: told with the file and the
// reason, the window stays, the working state goes off and the check marks
// are taken from the maps again.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

namespace quorvell::testing {
namespace {

namespace fs = std::filesystem;

std::string mapOf(const std::string& name) {
    return MapBuilder().texture(name).end().tail(8).bytes();
}

class ErrorPathTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.map("a.ibt", mapOf("Brick"));
        fake.map("b.ibt", mapOf("Brick"));
        fake.map("c.ibt", mapOf("Brick"));
        form = makeForm(fake);
        startAndScan(*form);
        // b.ibt can no longer be opened for writing (nor reading): a folder
        // stands in its place. This holds even for root, unlike permissions.
        fs::remove(fake.mapPath("b.ibt"));
        fs::create_directory(fake.mapPath("b.ibt"));
    }
    void restoreB() const {
        fs::remove(fake.mapPath("b.ibt"));
        fake.map("b.ibt", mapOf("Brick"));
    }
    std::unique_ptr<app::Form1> form;
};

TEST_F(ErrorPathTest, FailedToggleIsToldAndMarksFollowTheMaps) {
    app::MessageBoxes::setAnswerHook([this](const app::ShownBox&) { restoreB(); });
    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    clickCheckBox(*form, 0);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_TRUE(boxes()[0].text.contains(QString::fromStdString(fake.mapPath("b.ibt").string())));
    EXPECT_TRUE(boxes()[0].text.contains("directory", Qt::CaseInsensitive));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(form->working());
    // a.ibt was switched before the failure and stays so: the mark says on.
    EXPECT_EQ(readFile(fake.mapPath("a.ibt")), mapOf("Brick__overridden"));
    EXPECT_EQ(readFile(fake.mapPath("c.ibt")), mapOf("Brick"));
    EXPECT_TRUE(form->List2->isChecked(0));
}

TEST_F(ErrorPathTest, ResyncThatFailsTooIsToldOnceAndStops) {
    clickCheckBox(*form, 0);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].icon, app::BoxIcon::Error);
    EXPECT_TRUE(boxes()[1].text.contains("check marks could not be brought back"));
    EXPECT_FALSE(form->working());
    EXPECT_TRUE(form->isVisible());
    QTest::qWait(50);
    EXPECT_EQ(boxes().size(), 2u);

    // Once the map is back, toggling works again.
    restoreB();
    clickCheckBox(*form, 0);
    EXPECT_EQ(boxes().size(), 2u);
}

TEST_F(ErrorPathTest, FailedScanLeavesTheWindowUsable) {
    form->Command4_Click(); // "Scan IBDs"
    ASSERT_GE(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_FALSE(form->working());
    EXPECT_TRUE(form->List2->isEnabled());
    EXPECT_TRUE(form->Combo1->isEnabled());
}

} // namespace
} // namespace quorvell::testing
