#pragma once
// The Qt application a batch command needs for fonts, pictures and the
// exercise text area: a GUI application (never a widgets one), offscreen,
// made only when none exists, and living as long as the command runs.

#include <QGuiApplication>

#include <memory>

namespace ohmora::cli {

// Nothing when an application already exists.
std::unique_ptr<QGuiApplication> makeGuiApplication();

} // namespace ohmora::cli
