#pragma once

// The pictures behind the windows, drawn from the built-in SVG artwork, with
// a plain stand-in when a picture is missing so the window stays usable.

#include <QtCore/QString>
#include <QtGui/QIcon>
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
    explicit Artwork(const QString& resource);
    ~Artwork();
    bool loaded() const;
    // Paints the picture into target; false (nothing painted) when missing.
    bool paint(QPainter& painter, const QRectF& target) const;

private:
    std::unique_ptr<QSvgRenderer> renderer_;
};

// Stand-ins, laid out like the real pictures.
void paintForm1Placeholder(QPainter& painter, const QRectF& target);
void paintForm2Placeholder(QPainter& painter, const QRectF& target);

// The application icon at 16, 32 and 48 pixels; empty when missing.
QIcon applicationIcon();

} // namespace quorvell::app
