#pragma once

#include "app/fonts.h"
#include "app/main_window.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace tindrel::testing {

// Acts on a secondary window of type `Window` from inside its own loop, once it is on screen
// and active, as a user would. Should the actions leave it open, the driver presses its
// Close button so the test cannot hang, and says so in left_open.
template <typename Window> class WhenOpen final : public QObject {
public:
    explicit WhenOpen(std::function<void(Window&)> act) : act_(std::move(act)) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &WhenOpen::look);
        timer_.start();
    }

    bool acted = false;
    bool left_open = false;

private:
    void look() {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window == nullptr || !window->isActiveWindow()) {
            return;
        }
        timer_.stop();
        acted = true;
        act_(*window);
        if (window->is_open()) {
            left_open = true;
            window->template findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
        }
    }

    std::function<void(Window&)> act_;
    QTimer timer_;
};

// A main window on screen and active, as the secondary windows find it.
inline std::unique_ptr<MainWindow> open_main_window(const Pictures& pictures = {}) {
    auto window = std::make_unique<MainWindow>(load_window_fonts(), pictures);
    window->move(100, 100);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        return nullptr;
    }
    return window;
}

} // namespace tindrel::testing
