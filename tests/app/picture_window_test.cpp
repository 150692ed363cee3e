// Pictures in the window: the row tooltip shows the texture once it is
// decoded, and the preview follows the current row, hides alpha on a key and
// closes on Escape.

#include "app/texture_pictures.h"
#include "tests/app/gui_support.h"
#include "tests/support/map_builder.h"
#include "tools/dds_file.h"

#include <QtGui/QHelpEvent>
#include <QtGui/QPixmap>
#include <QtGui/QTextDocument>
#include <QtWidgets/QToolTip>

namespace quorvell::testing {
namespace {

// Opaque red left, see-through green right.
tools::Rgba halves(std::uint32_t, std::uint32_t x, std::uint32_t) {
    return x < 2 ? tools::Rgba{255, 0, 0, 255} : tools::Rgba{0, 255, 0, 0};
}

class PictureWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        fake.texture(FakeInstall::kBitmaps, "Glass.dds",
                     tools::ddsFile(tools::DdsFormat::A8R8G8B8, 4, 4, 3, halves));
        fake.texture(FakeInstall::kBitmaps, "Stub.dds"); // four bytes
        fake.map("a.ibt", mapOfTextures({"Glass", "Stub"}, 16));
    }

    // The tooltip once the pictures asked for are in.
    QString tooltipOf(app::Form1& form, int row) {
        const QRect rect = form.List2->visualItemRect(form.List2->item(row));
        QHelpEvent help(QEvent::ToolTip, rect.center(),
                        form.List2->viewport()->mapToGlobal(rect.center()));
        QApplication::sendEvent(form.List2->viewport(), &help);
        form.rowTooltips()->pictures()->waitForDone();
        QApplication::processEvents();
        return QToolTip::text();
    }
};

TEST_F(PictureWindowTest, TooltipShowsThePictureOrWhyNot) {
    auto form = makeForm(fake);
    startAndScan(*form);
    ASSERT_EQ(form->List2->texts(), (std::vector<std::string>{"Glass.dds", "Stub.dds"}));
    const QString glass = tooltipOf(*form, 0);
    // The picture is handed to the rich text by name, as an image.
    const QString image = glass.section('\'', 3, 3);
    EXPECT_TRUE(glass.startsWith("<p style='white-space:pre'><img src=")) << glass.toStdString();
    EXPECT_EQ(QTextDocument::defaultResourceProvider()(QUrl(image)).value<QPixmap>().size(),
              QSize(4, 4));
    EXPECT_TRUE(glass.contains("<b>Glass.dds</b><br>4 × 4, A8R8G8B8, 3 mip levels"))
        << glass.toStdString();
    const QString stub = tooltipOf(*form, 1);
    EXPECT_FALSE(stub.contains("<img")) << stub.toStdString();
    EXPECT_TRUE(stub.contains("<b>Stub.dds</b><br>shorter than its header")) << stub.toStdString();
}

TEST_F(PictureWindowTest, PreviewFollowsTheRowAndHidesAlpha) {
    auto form = makeForm(fake);
    startAndScan(*form);
    app::TexturePreview* preview = form->texturePreview();
    form->List2->setCurrentRow(0);
    QTest::keyClick(form.get(), Qt::Key_F3);
    ASSERT_TRUE(preview->isVisible());
    form->rowTooltips()->pictures()->waitForDone();
    QApplication::processEvents();
    ASSERT_TRUE(preview->hasPicture()) << preview->caption().toStdString();
    // The see-through half shows the checkerboard, then green without alpha.
    const auto pixelAt = [&](int x) {
        const QImage shot = preview->grab().toImage();
        return shot.pixelColor(8 + 128 + x, 8 + 128).name();
    };
    EXPECT_EQ(pixelAt(-64), "#ff0000");
    EXPECT_NE(pixelAt(64), "#00ff00");
    QTest::keyClick(form->List2, Qt::Key_A, Qt::AltModifier);
    EXPECT_FALSE(preview->alphaShown());
    EXPECT_EQ(pixelAt(64), "#00ff00");

    form->List2->setCurrentRow(1);
    form->rowTooltips()->pictures()->waitForDone();
    QApplication::processEvents();
    EXPECT_FALSE(preview->hasPicture());
    EXPECT_EQ(preview->caption(), "Stub.dds\nshorter than its header");
    QTest::keyClick(form->List2, Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible());
}

} // namespace
} // namespace quorvell::testing
