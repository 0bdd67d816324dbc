#pragma once
// The widgets that show the schematic `schema` and the graph `graphik`: each
// shows its picture's image and reports the mouse in the picture's pixels,
// and, with the focus, the keys; a frame then shows that it has the focus,
// with what the window draws over the picture for the keys.

#include "graph/ReadoutLabels.h"
#include "window/Accessibility.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

namespace ohmora {

class PictureView : public QWidget, public AccessibleParts {
public:
    // `image` gives the picture's current image at each repaint.
    PictureView(std::function<QImage()> image, QWidget* parent = nullptr);

    std::function<void(int x, int y)> onMouseMove;
    std::function<void()> onClick;             // a left press and release over the picture
    std::function<void(int x, int y)> onPress; // a left press, once the move is handled
    std::function<void(int x, int y)> onDrag;  // a move while the left button is down
    // The context menu: asked with the right button at a point of the
    // picture, or from the keyboard (no point); `global` is where it shows.
    std::function<void(std::optional<QPoint> at, QPoint global)> onContextMenu;
    // A key pressed while the picture has the focus: true when it was used.
    std::function<bool(QKeyEvent& event)> onKey;
    std::function<void(bool focused)> onFocus;
    // Drawn over the picture while it has the focus, in its pixels.
    std::function<void(QPainter& painter)> paintFocused;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::function<QImage()> image_;
    bool pressed_ = false;
};

// One readout label `Labeli` over the graph: light yellow, its size
// following its text.
class ReadoutLabelWidget : public QLabel {
public:
    explicit ReadoutLabelWidget(QWidget* parent = nullptr);
    void place(const ReadoutLabel& label);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ohmora
