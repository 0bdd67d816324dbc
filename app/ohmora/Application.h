#pragma once
// The window's application object, drawn at the zoom asked for on the
// command line (`--zoom 1.5`) on top of the desktop's own scale.

#include <QApplication>

#include <memory>
#include <optional>

namespace ohmora::app {

// "--zoom X" or "--zoom=X" among the arguments, read before the application
// exists (Qt takes its scale when it starts): no zoom when absent; not
// valid, after its message, when X is not a factor of 1 to 3.
struct ZoomArgument {
    std::optional<double> zoom;
    bool valid = true;
};
ZoomArgument zoomArgument(int argc, char** argv);

// The application at `zoom` times the desktop's scale. With `fitScreen`, a
// window that would not fit the screen at that factor gets the largest one
// at which it does, and standard error says so.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv, std::optional<double> zoom,
                                               bool fitScreen);

} // namespace ohmora::app
