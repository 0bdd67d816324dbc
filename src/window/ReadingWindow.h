#pragma once
// "Agrandir la fenêtre exercice": the text area's text in a resizable
// window of its own, to read a statement from the back of the room. Its
// zoom (Ctrl + wheel, Ctrl++ and Ctrl+−, Ctrl+0 for the normal size, or its
// two buttons) lays the text out larger, sharp at any size. It is the same
// text as the main window's text area (SharedText): what is typed in one
// shows in the other. Escape closes it; so does the main window's closing.

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QTextEdit;
class QToolButton;

namespace ohmora {

class ReadingWindow : public QWidget {
public:
    static constexpr double kMinZoom = 0.5;
    static constexpr double kMaxZoom = 5;
    static constexpr double kZoomStep = 1.25; // each step, larger or smaller by this factor
    static constexpr double kStartZoom = 2;

    explicit ReadingWindow(QWidget* mainWindow);
    ~ReadingWindow() override;

    QTextEdit* text() const { return text_; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    void zoomIn() { setZoom(zoom_ * kZoomStep); }
    void zoomOut() { setZoom(zoom_ / kZoomStep); }
    // The resolution the text is laid out for: the screen's, times the zoom.
    QPaintDevice* zoomDevice() { return &zoomDevice_; }

    std::function<void()> onZoomChanged;
    // Runs as the window closes or goes, while its editor still exists.
    std::function<void()> onClosing;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildZoomRow();
    void updateZoomDevice();

    QTextEdit* text_ = nullptr;
    QToolButton* smaller_ = nullptr;
    QToolButton* larger_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QImage zoomDevice_;
    double zoom_ = kStartZoom;
    bool closing_ = false;
};

} // namespace ohmora
