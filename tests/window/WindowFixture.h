#pragma once
// A main window with scripted prompts, printers of the test's own (no
// system printer is asked) and no running timer: time advances only when a
// test calls tick().

#include "FakePrinters.h"
#include "ScriptedPrompter.h"
#include "core/ProgramState.h"
#include "window/MainWindow.h"
#include "window/TabStrip.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace ohmora {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window =
            std::make_unique<MainWindow>(program, &prompter, MainWindow::Options{false, &printers});
    }

    // Mouse moves without a button reach the window through the platform,
    // so the window must be on the (offscreen) screen.
    void showWindow() {
        // The platform reports no move to where the pointer already is, and
        // an earlier test may have left it exactly there.
        QCursor::setPos(-100, -100);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class T = QWidget> T* child(const char* name) {
        T* w = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // A click in the middle of tab i of the strip.
    void selectTab(int i) {
        TabStrip* strip = window->tabStrip();
        const auto& bords = strip->bordsOnglets();
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint((bords[i - 1] + bords[i]) / 2, 5));
    }

    const SimState& state() const { return window->simulator().state(); }
    QString info() { return child<QLabel>("info")->text(); }

    ProgramState program;
    ScriptedPrompter prompter;
    test::FakePrinters printers;
    std::unique_ptr<MainWindow> window;
};

} // namespace ohmora
