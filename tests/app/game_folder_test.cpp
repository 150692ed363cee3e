// The game folder chosen by hand: remembered for the next start, and still
// choosable after the not-found box was closed.

#include "app/not_found_box.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtWidgets/QPushButton>

namespace quorvell::testing {
namespace {

class GameFolderTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.map("a.ibt", mapOfTextures({"Brick__overridden"}, 16));
    }
    void TearDown() override {
        app::NotFoundBox::setFolderDialog({});
        GuiTest::TearDown();
    }
};

TEST_F(GameFolderTest, TheChosenFolderAndTheWindowsPlaceAreUsedAtTheNextStart) {
    discovery::Environment environment;
    environment.home = fake.homeDir();
    const auto settings = fake.root() / "settings.ini";
    app::GameServices first(environment, {}, settings);
    EXPECT_FALSE(first.locateGameRoot().found());
    EXPECT_EQ(first.windowPosition(), std::nullopt);
    first.rememberGameFolder(fake.gameDir().string());
    first.rememberWindowPosition(QPoint(30, 40));

    app::GameServices next(environment, {}, settings);
    EXPECT_EQ(next.locateGameRoot().root, fake.gameDir().string());
    EXPECT_EQ(next.windowPosition(), QPoint(30, 40));
}

TEST_F(GameFolderTest, AfterCloseTheListAreaStillOffersTheFolderChoice) {
    auto form = makeForm(fake, {}, std::make_shared<RecordingServices>(fake, false));
    form->start();
    ASSERT_TRUE(waitUntil([&] { return boxes().size() == 1; })); // Close answered
    auto* choose = form->findChild<QPushButton*>(QStringLiteral("chooseGameFolder"));
    ASSERT_NE(choose, nullptr);
    EXPECT_TRUE(choose->isVisible());

    app::NotFoundBox::setFolderDialog([&](QWidget*) { return QString(fake.gameDir().c_str()); });
    QTest::mouseClick(choose, Qt::LeftButton);
    EXPECT_FALSE(choose->isVisible());
    ASSERT_TRUE(waitUntil([&] { return form->List2->count() == 1 && !form->working(); }));
    EXPECT_EQ(form->List2->marks(), std::vector<bool>{true});
}

} // namespace
} // namespace quorvell::testing
