#pragma once

// A transparent area lying over a button drawn in the background picture.
// The pointer turns into a pointing hand over it, as over a link, except
// while the window shows the busy pointer.

#include <QtWidgets/QWidget>

namespace quorvell::app {

class HotSpot : public QWidget {
    Q_OBJECT
public:
    explicit HotSpot(const QString& toolTip, QWidget* parent = nullptr);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followParentCursor();
};

} // namespace quorvell::app
