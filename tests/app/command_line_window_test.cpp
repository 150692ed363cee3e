// Command-line mode run inside the window: the banner, the outcome, the
// boxes and lines.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

namespace quorvell::testing {
namespace {

std::string mapOf(const std::vector<std::string>& names) {
    return mapOfTextures(names, 0);
}

class CommandLineWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.texture(FakeInstall::kBitmaps, "Moss.dds");
        for (const char* name : {"a.ibt", "b.ibt", "c.ibt"}) {
            fake.map(name, mapOf({"Brick", "Moss__overridden"}));
        }
        fake.presets("Walls{\r\nBrick.dds\r\n}\r\n");
    }
    // Runs the mode to its end; returns the exit status.
    int run(const std::string& argumentText, bool gameFound = true, bool headless = false) {
        auto services = std::make_shared<RecordingServices>(fake, gameFound);
        form = makeForm(fake, argumentText, services, &console, headless);
        QSignalSpy ended(form.get(), &app::Form1::programEnded);
        form->form2()->installEventFilter(&bannerShown);
        banner = std::make_unique<QSignalSpy>(form->form2()->Shape1, &app::ProgressBar::widthSet);
        form->start();
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(waitUntil([&] { return ended.count() == 1; }, 10000));
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->form2()->isVisible());
        return ended.isEmpty() ? -1 : ended.at(0).at(0).toInt();
    }
    std::string map(const std::string& name) const { return readFile(fake.mapPath(name)); }

    struct ShowCounter : QObject {
        int shows = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            shows += event->type() == QEvent::Show ? 1 : 0;
            return false;
        }
    } bannerShown;
    Console console;
    std::unique_ptr<app::Form1> form;
    std::unique_ptr<QSignalSpy> banner;
};

TEST_F(CommandLineWindowTest, AppliesBehindTheBannerAndTellsTheResult) {
    EXPECT_EQ(run("walls"), 0);
    for (const char* name : {"a.ibt", "b.ibt", "c.ibt"}) {
        EXPECT_EQ(map(name), mapOf({"Brick__overridden", "Moss__overridden"})) << name;
    }
    EXPECT_EQ(bannerShown.shows, 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Information);
    EXPECT_EQ(boxes()[0].title, "Preset applied");
    EXPECT_TRUE(boxes()[0].text.contains("applied: Walls."));
    EXPECT_EQ(console.out.size(), 1u);

    // The scan fills the banner's first quarter, the run the other three.
    std::vector<float> widths;
    for (const auto& call : *banner) {
        widths.push_back(call.at(0).toFloat());
    }
    EXPECT_EQ(widths, (std::vector<float>{0.0f, 1231.25f, 2462.5f, 2462.5f, 6156.25f, 9850.0f}));
}

TEST_F(CommandLineWindowTest, SilentDisableShowsNoBoxAndRemoves) {
    fake.map("a.ibt", mapOf({"Brick__overridden"}));
    EXPECT_EQ(run("walls silent disable"), 0);
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick"}));
    EXPECT_EQ(map("b.ibt"), mapOf({"Brick", "Moss__overridden"}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(CommandLineWindowTest, GameNotFoundFailsBeforeAnyPresetRuns) {
    EXPECT_EQ(run("walls", false), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].icon, app::BoxIcon::Error);
    EXPECT_EQ(boxes()[0].title, "Error!");
    EXPECT_EQ(boxes()[0].text, "Couldn't process presets, please check typing.");
    ASSERT_FALSE(console.err.empty());
    EXPECT_EQ(boxes()[0].detail.toStdString(), console.err.back()); // the reason, behind the box
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick", "Moss__overridden"}));
}

TEST_F(CommandLineWindowTest, UnlistableTextureFolderIsOnlyReportedOnStandardError) {
    std::filesystem::remove_all(fake.gameDir() / FakeInstall::kSystem);
    EXPECT_EQ(run("walls silent"), 0);
    EXPECT_TRUE(boxes().empty());
    ASSERT_FALSE(console.err.empty());
    EXPECT_NE(console.err[0].find("Data"), std::string::npos);
    EXPECT_EQ(map("a.ibt"), mapOf({"Brick__overridden", "Moss__overridden"}));
}

TEST_F(CommandLineWindowTest, WithoutADisplayOnlyLinesAreGiven) {
    EXPECT_EQ(run("nothing like it", true, true), 2);
    EXPECT_EQ(run("walls", true, true), 0);
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(console.out.empty());
}

// Two presets match "walls": the maps stay held while the box of the first
// one waits, so no other Quorvell changes them before the second.
TEST_F(CommandLineWindowTest, TheMapsStayHeldWhileAResultBoxWaits) {
    fake.presets("Walls{\r\nBrick.dds\r\n}\r\nwalls{\r\nMoss.dds\r\n}\r\n");
    int boxes = 0;
    app::MessageBoxes::setAnswerHook([&](const app::ShownBox&) {
        ++boxes;
        EXPECT_ANY_THROW(patching::MapsFolderLock(fake.mapPath("a.ibt").parent_path(), {},
                                                  std::chrono::milliseconds(0)));
    });
    EXPECT_EQ(run("walls"), 0);
    app::MessageBoxes::setAnswerHook({});
    EXPECT_EQ(boxes, 2);
}

} // namespace
} // namespace quorvell::testing
