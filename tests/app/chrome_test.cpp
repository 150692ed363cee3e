// The window's chrome: exit and close requests against the working state,
// the ticker in the title, the help panel and dragging.

#include "app/developer_panel.h"
#include "app/ticker.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

namespace quorvell::testing {
namespace {

class ChromeTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Brick.dds");
        fake.map("a.ibt", MapBuilder().texture("Brick").end().bytes());
        form = makeForm(fake);
        startAndScan(*form);
        form->Timer2->stop(); // the tests tick it themselves
    }
    std::unique_ptr<app::Form1> form;
};

TEST_F(ChromeTest, ExitIsRefusedWhileWorkingAndHonouredWhenIdle) {
    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    form->forM_working(1);
    form->forM_working(1);
    QTest::mouseClick(form->Label4, Qt::LeftButton);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(form->isVisible());

    form->forM_working(0); // one call ends it, however many switched it on
    EXPECT_FALSE(form->working());
    QTest::mouseClick(form->Label4, Qt::LeftButton);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 0);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ChromeTest, CloseRequestWhileWorkingIsHeldUntilTheEnd) {
    QSignalSpy ended(form.get(), &app::Form1::programEnded);
    form->forM_working(1);
    form->close();
    QTest::qWait(20);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(form->isVisible());
    form->forM_working(0);
    ASSERT_TRUE(waitUntil([&] { return ended.count() == 1; }));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ChromeTest, HotSpotsCarryTheirTooltips) {
    EXPECT_EQ(form->Label4->toolTip(), "Exit");
    EXPECT_EQ(form->Label5->toolTip(), "Click to enable preset");
    EXPECT_EQ(form->Label6->toolTip(), "Click to disable preset");
    EXPECT_TRUE(form->Label3->toolTip().isEmpty());
}

TEST_F(ChromeTest, TickerTitlesOverTheFirstStepsAndAtARefill) {
    form = makeForm(fake);
    form->Timer2->stop();
    form->Timer1->stop();
    form->start();
    const std::string startup = app::startupTickerText();
    EXPECT_EQ(form->windowTitle(), "Quorvell");
    form->Timer2_Timer();
    EXPECT_EQ(form->windowTitle().toStdString(), startup.substr(1));
    form->Timer2_Timer();
    EXPECT_EQ(form->windowTitle().toStdString(), startup.substr(2));

    while (form->tickerText().size() > 3) {
        form->Timer2_Timer();
    }
    EXPECT_EQ(form->windowTitle().toStdString(), startup.substr(startup.size() - 3));
    form->List2->addRow("Extra.dds"); // counted at the refill, not at start-up
    form->Timer2_Timer();
    EXPECT_EQ(form->windowTitle().toStdString(), startup.substr(startup.size() - 3));
    EXPECT_EQ(form->tickerText(), app::statusTickerText(2));
    form->Timer2_Timer();
    EXPECT_EQ(form->windowTitle().toStdString(), app::statusTickerText(2).substr(1));
}

TEST_F(ChromeTest, HelpShowsOverTheQuestionMarkAndHidesOverTheList) {
    QTest::mouseMove(form->Label3, QPoint(12, 12));
    ASSERT_TRUE(waitUntil([&] { return form->form3()->isVisible(); }, 1000));
    const QPoint expected = form->frameGeometry().topLeft() + QPoint(27, 27);
    EXPECT_EQ(form->form3()->pos(), expected);

    form->move(form->pos() + QPoint(40, 0)); // shown already: does not follow
    QTest::mouseMove(form->Label3, QPoint(13, 13));
    QTest::qWait(20);
    EXPECT_EQ(form->form3()->pos(), expected);

    QTest::mouseMove(form->Combo1, QPoint(5, 5));
    QTest::qWait(20);
    EXPECT_TRUE(form->form3()->isVisible());
    QTest::mouseMove(form->List2->viewport(), QPoint(100, 150));
    ASSERT_TRUE(waitUntil([&] { return !form->form3()->isVisible(); }, 1000));
}

// Where the system cannot run its own move (the offscreen platform), the
// window follows the pointer by hand, whichever button was pressed; a press
// on a control never moves it.
TEST_F(ChromeTest, DraggingTheBackgroundMovesTheWindow) {
    const QPoint start = form->pos();
    const auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(local), QPointF(form->mapToGlobal(local)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    };
    send(QEvent::MouseButtonPress, QPoint(150, 30), Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, QPoint(170, 45), Qt::NoButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, QPoint(170, 45), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(form->pos(), start + QPoint(20, 15));

    const QPoint moved = form->pos();
    const QPoint onList = form->List2->geometry().center();
    send(QEvent::MouseButtonPress, onList, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, onList + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, onList + QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form->pos(), moved);
}

TEST_F(ChromeTest, DeveloperPanelOpensOnlyByItsShortcutAndRunsItsSteps) {
    EXPECT_FALSE(form->developerPanel()->isVisible());
    form->activateWindow();
    QTest::keyClick(form.get(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    app::DeveloperPanel* panel = form->developerPanel();
    ASSERT_TRUE(waitUntil([&] { return panel->isVisible(); }, 1000));
    EXPECT_EQ(panel->List3->count(), 1);
    EXPECT_EQ(panel->Text2->text(), FakeInstall::kRoot);
    EXPECT_GT(panel->List4->count(), 0);
    EXPECT_EQ(panel->lastRuns->count(), 0);
    clickCheckBox(*form, 0); // the journal's runs are listed as they end
    ASSERT_EQ(panel->lastRuns->count(), 1);
    EXPECT_TRUE(panel->lastRuns->item(0)->text().contains(
        "  window  switched on Brick.dds  1 map, 1 reference  ended"));

    // "Generate DDS list" writes to the fixed developer path, through the
    // prefix's drive H:.
    const auto drive = fake.gameDir().parent_path().parent_path() / "hdrive";
    std::filesystem::create_directories(drive / "Projects/Brannoch");
    std::filesystem::create_directories(fake.gameDir().parent_path().parent_path() / "dosdevices");
    std::filesystem::create_directory_symlink(drive, fake.gameDir().parent_path().parent_path() /
                                                         "dosdevices/h:");
    QString started;
    app::DeveloperPanel::setSaveDialog([&](QWidget*, const QString& start) {
        started = start;
        return start;
    });
    QTest::mouseClick(panel->Command2, Qt::LeftButton);
    app::DeveloperPanel::setSaveDialog({});
    EXPECT_TRUE(started.endsWith("h:/Projects/Brannoch/Presets.ini")) << started.toStdString();
    EXPECT_TRUE(boxes().empty());
    EXPECT_NE(readFile(drive / "Projects/Brannoch/Presets.ini").find("Brick.dds"),
              std::string::npos);

    // "Refresh" lists every texture once.
    QTest::mouseClick(panel->Command5, Qt::LeftButton);
    QTest::mouseClick(panel->Command5, Qt::LeftButton);
    EXPECT_EQ(form->List2->texts(), std::vector<std::string>{"Brick.dds"});
}

} // namespace
} // namespace quorvell::testing
