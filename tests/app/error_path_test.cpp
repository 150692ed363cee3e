// A failure at the top of an event handler: told in one box with the file
// and the reason, the window stays, the working state goes off and the check
// marks are taken again from every map that can be read.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

namespace quorvell::testing {
namespace {

namespace fs = std::filesystem;

std::string mapOf(const std::string& name) {
    return MapBuilder().texture(name).end().tail(8).bytes();
}

// Moss is on in c.ibt alone, the map after the one that fails.
const std::string kMapC = MapBuilder().texture("Brick").texture("Moss__overridden").end().bytes();

class ErrorPathTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.texture(FakeInstall::kBitmaps, "Moss.dds");
        fake.map("a.ibt", mapOf("Brick"));
        fake.map("b.ibt", mapOf("Brick"));
        fake.map("c.ibt", kMapC);
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
    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    clickCheckBox(*form, 0);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_TRUE(boxes()[0].text.contains(QString::fromStdString(fake.mapPath("b.ibt").string())));
    EXPECT_TRUE(boxes()[0].text.contains("directory", Qt::CaseInsensitive));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(form->working());
    // Every map is read before any is written: none changed, the mark says off.
    EXPECT_EQ(readFile(fake.mapPath("a.ibt")), mapOf("Brick"));
    EXPECT_EQ(readFile(fake.mapPath("c.ibt")), kMapC);
    EXPECT_FALSE(form->List2->isChecked(0));
}

TEST_F(ErrorPathTest, ResyncReadsTheMapsAfterAnUnreadableOneAndOneBoxNamesIt) {
    clickCheckBox(*form, 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    // The file that stopped the toggle, and the map the resync could not read.
    EXPECT_EQ(boxes()[0].text.count(QString::fromStdString(fake.mapPath("b.ibt").string())), 2);
    EXPECT_FALSE(form->List2->isChecked(0)); // no map written before the failure
    EXPECT_TRUE(form->List2->isChecked(1));  // c.ibt, after the unreadable map
    EXPECT_FALSE(form->working());
    EXPECT_TRUE(form->isVisible());
    QTest::qWait(50);
    EXPECT_EQ(boxes().size(), 1u);

    // Once the map is back, toggling works again.
    restoreB();
    clickCheckBox(*form, 0);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(ErrorPathTest, CloseRequestDuringAFailingRunWaitsUntilTheBoxIsAnswered) {
    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    int endedWhileBoxUp = -1;
    app::MessageBoxes::setAnswerHook([&](const app::ShownBox&) {
        QTest::qWait(50); // the box's own event loop
        endedWhileBoxUp = static_cast<int>(ended.count());
    });
    QTimer::singleShot(0, form.get(), [this] { form->close(); }); // at the toggle's first yield
    clickCheckBox(*form, 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(endedWhileBoxUp, 0);
    ASSERT_TRUE(waitUntil([&] { return ended.count() == 1; }));
    EXPECT_FALSE(form->isVisible());
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
