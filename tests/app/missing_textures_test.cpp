// Textures switched on in the maps whose file is gone: their own group below
// the list, which can only switch them off, and which presets never touch.

#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

namespace quorvell::testing {
namespace {

class MissingTexturesTest : public GuiTest {
protected:
    std::string map(const std::string& name) const { return readFile(fake.mapPath(name)); }
    QListWidget& group() const { return *form->missingTextures(); }

    std::unique_ptr<app::Form1> form;
};

TEST_F(MissingTexturesTest, AMissingTextureIsShownAndUntickingSwitchesOnlyItOff) {
    fake.texture(FakeInstall::kBitmaps, "Brick.dds");
    fake.map("a.ibt", mapOfTextures({"Gone__overridden", "Brick__overridden", "Plain"}, 40));
    fake.map("b.ibt", mapOfTextures({"Brick", "Gone"}, 40));
    fake.presets("all{\r\n*\r\n}\r\n");
    form = makeForm(fake);
    startAndScan(*form);
    ASSERT_EQ(group().count(), 1);
    EXPECT_TRUE(group().isVisible());
    EXPECT_EQ(group().item(0)->text(),
              QString::fromUtf8("Gone.dds \u2014 file missing, on in 1 of 2 maps"));
    EXPECT_EQ(form->List2->count(), 1); // not a row presets and the batch work on
    EXPECT_LE(form->List2->geometry().bottom(), group().geometry().top());

    group().item(0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(waitUntil([&] { return group().count() == 0; }));
    EXPECT_EQ(map("a.ibt"), mapOfTextures({"Gone", "Brick__overridden", "Plain"}, 40));
    EXPECT_EQ(map("b.ibt"), mapOfTextures({"Brick", "Gone"}, 40));
    EXPECT_FALSE(group().isVisible());
    EXPECT_TRUE(boxes().empty());
}

} // namespace
} // namespace quorvell::testing
