#pragma once

// The pictures behind the windows, drawn from the built-in SVG artwork, with
// a plain stand-in when a picture is missing so the window stays usable.

#include <QtCore/QString>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace quorvell::app {

inline constexpr const char* kForm1Background = ":/quorvell/form1_background.svg";
inline constexpr const char* kForm2Banner = ":/quorvell/form2_banner.svg";
inline constexpr const char* kIcon = ":/quorvell/quorvell_icon.svg";

class Artwork {
public:
    // The SVG is read when first painted: a window never shown (the banner,
    // outside command-line mode) costs nothing at start-up.
    explicit Artwork(QString resource);
    ~Artwork();
    // Paints the picture into target; false (nothing painted) when missing.
    // The picture is drawn from the SVG once per size and scale and copied
    // from then on: a repaint of a small part (the progress bar moving after
    // every map) then costs a copy of that part, not the whole drawing.
    bool paint(QPainter& painter, const QRectF& target);

private:
    bool load();

    QString resource_;
    bool tried_ = false;
    std::unique_ptr<QSvgRenderer> renderer_;
    QPixmap picture_;
};

// Stand-ins, laid out like the real pictures.
void paintForm1Placeholder(QPainter& painter, const QRectF& target);
void paintForm2Placeholder(QPainter& painter, const QRectF& target);

// The application icon at 16, 32 and 48 pixels; empty when missing.
QIcon applicationIcon();

} // namespace quorvell::app
