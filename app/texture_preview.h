#pragma once

// The preview: the current row's texture up to 256 px on a checkerboard,
// over the list. F3, a double-click on a row or the list's menu opens it;
// it follows the current row as it moves; Alt+A shows or hides the alpha
// channel (alpha often carries other data and hides the picture); Escape or
// F3 closes it. The picture is decoded off the UI thread: until it is ready
// the preview says so.

#include <QtCore/QString>
#include <QtWidgets/QWidget>

namespace quorvell::app {

class Form1;
class RowTooltips;
class TextureList;

inline constexpr int kPreviewSide = 256;

class TexturePreview : public QWidget {
    Q_OBJECT
public:
    TexturePreview(TextureList* list, RowTooltips* rows, QWidget* parent);

    void open();
    void toggleAlpha();
    bool alphaShown() const { return alphaShown_; }
    // What it shows now: the texture's name, and its size and format or why
    // there is no picture.
    QString caption() const { return caption_; }
    bool hasPicture() const { return !image_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void pictureReady(const QString& file, int side);

    TextureList* list_;
    RowTooltips* rows_;
    QString file_;
    QString caption_;
    QImage image_;
    bool alphaShown_ = true;
};

// The preview over Form1's list, with its keys, double-click and menu entry.
TexturePreview* installTexturePreview(Form1& form);

} // namespace quorvell::app
