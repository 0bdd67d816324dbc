#pragma once
// The Qt application a batch command needs for fonts, pictures and the
// exercise text area: offscreen, made only when none exists, and living as
// long as the command runs.

#include <QGuiApplication>

#include <memory>

namespace ohmora::cli {

// A widgets application when `widgets`, else a GUI one; nothing when an
// application already exists.
std::unique_ptr<QGuiApplication> makeOffscreenApplication(bool widgets = false);

} // namespace ohmora::cli
