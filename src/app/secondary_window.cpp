#include "app/secondary_window.h"

#include <QCloseEvent>
#include <QWindow>

namespace tindrel {

SecondaryWindow::SecondaryWindow(QWidget& main_window, const SecondaryWindowLook& look)
    : main_window_(main_window) {
    // No Qt parent: disabling the main window would disable a child window with it. The
    // window is tied to the main window as its transient instead, in run().
    const Qt::WindowFlags type = look.tool_window ? Qt::Tool : Qt::Dialog;
    setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(look.title);
    setFixedSize(look.inner_size);
    // The controls' pixel sizes were drawn for a narrow 8-point dialog face. The main
    // window's face at 8 points is wider and would cut texts such as "Send sound alert"
    // short, so these windows take it at no more than kFontPixels.
    QFont font = main_window.font();
    if (font.pixelSize() <= 0 || font.pixelSize() > kFontPixels) {
        font.setPixelSize(kFontPixels);
    }
    setFont(font);
    setWindowModality(Qt::ApplicationModal);
}

void SecondaryWindow::run() {
    main_window_.setEnabled(false);
    // Moved before the native window exists, so that the point is taken as the outer corner
    // once the window manager has put a frame around it.
    move(main_window_.frameGeometry().topLeft() + QPoint(kOffsetRight, kOffsetDown));
    // Kept in front of the disabled main window, so the user never loses it behind.
    create();
    if (QWindow* own = windowHandle(); own != nullptr) {
        own->setTransientParent(main_window_.windowHandle());
    }
    if (open_) {
        exec();
    }
    // Normally done by close_window(); also when the application's loop ends first.
    main_window_.setEnabled(true);
}

void SecondaryWindow::close_window() {
    if (!open_) {
        return;
    }
    open_ = false;
    main_window_.setEnabled(true);
    accept();
}

void SecondaryWindow::reject() {}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    // A close request (Alt+F4, the window manager) leaves the window open.
    event->setAccepted(!open_);
}

} // namespace tindrel
