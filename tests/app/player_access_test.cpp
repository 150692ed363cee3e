// The window for players who don't start from a terminal: on a small screen,
// from the keyboard, with row tooltips, and the way forward when the game was
// not found. The whole program runs on one small screen of 500 x 400.

#include "app/geometry.h"
#include "app/not_found_box.h"
#include "app/skin.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtGui/QAccessible>
#include <QtGui/QHelpEvent>
#include <QtWidgets/QToolTip>
#include <algorithm>
#include <cmath>

namespace quorvell::testing {
namespace {

std::string mapOf(const std::vector<std::string>& names) {
    return mapOfTextures(names, 16);
}

class PlayerAccessTest : public GuiTest {
protected:
    void SetUp() override {
        static TempDir config;
        if (QApplication::instance() == nullptr) {
            const auto file = config.write("screen.json", R"({"screens": [{"name": "small",
                "x": 0, "y": 0, "width": 500, "height": 400, "logicalDpi": 96}]})");
            qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file.string()).c_str());
        }
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.texture(FakeInstall::kSystem, "Brick.dds");
        fake.texture(FakeInstall::kBitmaps, "Moss.dds");
        fake.map("a.ibt", mapOf({"Brick__overridden", "Moss"}));
        fake.map("b.ibt", mapOf({"Brick", "Moss"}));
        fake.presets("moss{\r\nMoss.dds\r\n}\r\n");
    }
    void TearDown() override {
        app::NotFoundBox::setFolderDialog({});
        GuiTest::TearDown();
    }
    void startActive(app::Form1& form) {
        startAndScan(form);
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

TEST_F(PlayerAccessTest, OpensAtTheNearestPlaceThatFitsASmallScreen) {
    auto form = makeForm(fake);
    form->start();
    EXPECT_EQ(form->geometry(), QRect(84, 15, 331, 370)); // centred
}

// The frame is the list's or the chooser's edge in gold while it has the
// keys, and the keys come back to it after the working state.
TEST_F(PlayerAccessTest, FocusFrameShowsWhereTheKeysGo) {
    auto form = makeForm(fake);
    startActive(*form);
    const auto edge = [](QWidget* control) {
        return control->grab().toImage().pixelColor(0, control->height() / 2).name();
    };
    form->Combo1->setFocus();
    EXPECT_EQ(edge(form->Combo1), "#f0c060");
    EXPECT_NE(edge(form->List2), "#f0c060");
    QTest::keyClick(form->Combo1, Qt::Key_Tab);
    ASSERT_TRUE(form->List2->hasFocus());
    EXPECT_EQ(edge(form->List2), "#f0c060");
    EXPECT_NE(edge(form->Combo1), "#f0c060");

    // Ticks the current row, Brick (on in a.ibt only, partly checked): on in
    // every map.
    QTest::keyClick(form->List2, Qt::Key_Space);
    EXPECT_TRUE(readFile(fake.mapPath("b.ibt")) == mapOf({"Brick__overridden", "Moss"}));
    EXPECT_TRUE(form->List2->hasFocus());
}

TEST_F(PlayerAccessTest, PresetHelpAndExitKeysAct) {
    auto form = makeForm(fake);
    startActive(*form);
    form->Combo1->setCurrentIndex(0);
    const auto mossOn = [&] {
        return readFile(fake.mapPath("b.ibt")).find("Moss__overridden") != std::string::npos;
    };
    QTest::keyClick(form.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(mossOn());
    form->Combo1->setFocus();
    QTest::keyClick(form->Combo1, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_FALSE(mossOn());

    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_TRUE(form->form3()->isVisible());
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_FALSE(form->form3()->isVisible());

    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    form->forM_working(1);
    EXPECT_EQ(form->Label5->cursor().shape(), Qt::WaitCursor); // the hand would promise a click
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(ended.count(), 0);
    form->forM_working(0);
    EXPECT_EQ(form->Label5->cursor().shape(), Qt::PointingHandCursor);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(PlayerAccessTest, RowTooltipsTellRowsThatLookAlikeApart) {
    auto form = makeForm(fake);
    startAndScan(*form);
    ASSERT_EQ(form->List2->texts(),
              (std::vector<std::string>{"Brick.dds", "Brick.dds", "Moss.dds"}));
    const auto tooltipOf = [&](int row) { return rowTooltip(*form, row); };
    const QString brick = tooltipOf(1);
    EXPECT_TRUE(brick.contains("<b>Brick.dds</b>")) << brick.toStdString();
    EXPECT_TRUE(brick.contains("Found in Content\\T3\\Bitmaps and in System\\Data"))
        << brick.toStdString();
    EXPECT_TRUE(brick.contains("On in 1 of 2 maps")) << brick.toStdString();
    EXPECT_TRUE(tooltipOf(2).contains("On in 0 of 2 maps"));
}

double luminance(const QColor& c) {
    const auto lin = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// What assistive tools read: fixed names, hot spots as buttons that press;
// frames that stand out, hot spots large enough to hit.
TEST_F(PlayerAccessTest, AssistiveToolsReadNamedControlsAndPressTheHotSpots) {
    auto form = makeForm(fake);
    startActive(*form);
    form->Combo1->setCurrentIndex(0);
    form->Timer2_Timer(); // the ticker moves the title, never the name
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.get())->text(QAccessible::Name),
              "Quorvell");
    // The chooser is named by its label, as Linux screen readers expect.
    const auto label =
        QAccessible::queryAccessibleInterface(form->Combo1)->relations(QAccessible::Label);
    ASSERT_EQ(label.size(), 1);
    EXPECT_EQ(label.front().first->text(QAccessible::Name), "Preset");
    const std::pair<QWidget*, const char*> named[] = {{form->List2, "Textures"},
                                                      {form->Label5, "Apply preset"},
                                                      {form->Label6, "Remove preset"},
                                                      {form->Label3, "Help"},
                                                      {form->Label4, "Exit"}};
    for (const auto& [widget, name] : named) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        EXPECT_EQ(control->text(QAccessible::Name), name);
        EXPECT_FALSE(control->text(QAccessible::Description).isEmpty()) << name;
        if (widget != form->List2) {
            EXPECT_GE(std::min(widget->width(), widget->height()), 24) << name;
        }
    }
    QAccessibleInterface* plus = QAccessible::queryAccessibleInterface(form->Label5);
    EXPECT_EQ(plus->role(), QAccessible::Button);
    plus->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_NE(readFile(fake.mapPath("b.ibt")).find("Moss__overridden"), std::string::npos);
    EXPECT_TRUE(form->accessibleDescription().contains("moss applied"));
    // The centre of the plus's art is the centre of its area.
    EXPECT_EQ(app::toPixelsF(app::clickArea(app::form1::kLabel5)).center(),
              app::toPixelsF(app::form1::kLabel5).center());

    EXPECT_GE(contrast(QColor("#f0c060"), QColor("#6b5428")), 3.0); // chooser's focus frame
    EXPECT_GE(contrast(QColor("#f0c060"), QColor("#5c4a2c")), 3.0); // list's
    EXPECT_GE(contrast(app::boxFrameColour(), QColor("#ece4d0")), 3.0);
}

// A chosen folder is the game when it holds the maps folder; the box says why
// another is refused, and the choice leads to the usual scan.
TEST_F(PlayerAccessTest, NotFoundBoxNamesThePlacesAndTakesAChosenFolder) {
    std::vector<QString> offered{fake.workingDir().c_str(), fake.gameDir().c_str()};
    app::NotFoundBox::setFolderDialog([&](QWidget*) {
        const QString next = offered.front();
        offered.erase(offered.begin());
        return next;
    });
    app::MessageBoxes::setOfferHook([](const app::ShownBox&) { return true; });
    auto form = makeForm(fake, {}, std::make_shared<RecordingServices>(fake, false));
    startAndScan(*form);
    ASSERT_TRUE(waitUntil([&] { return form->List3.count() == 2 && !form->working(); }));
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].action, "Choose the game folder\u2026");
    EXPECT_TRUE(boxes()[0].text.contains("Thief - Deadly Shadows was not found."));
    EXPECT_TRUE(boxes()[0].text.contains("QUORVELL_GAME_ROOT"));
    EXPECT_TRUE(boxes()[1].text.startsWith("<p><b>" + QString(fake.workingDir().c_str()) +
                                           "</b> holds no Content\\T3\\Maps"));
    EXPECT_EQ(form->Text2, fake.gameDir().string());
    ASSERT_TRUE(waitUntil([&] {
        return form->List2->marks() == std::vector<bool>{true, true, false};
    }));
}

} // namespace
} // namespace quorvell::testing
