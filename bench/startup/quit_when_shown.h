#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tindrel::bench {

// Ends the event loop as soon as `window` has been put on screen and painted once.
class QuitWhenShown final : public QObject {
public:
    explicit QuitWhenShown(QWidget& window) {
        QWindow* handle = window.windowHandle();
        if (handle != nullptr && handle->isExposed()) {
            quit_soon();
        } else if (handle != nullptr) {
            handle->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            quit_soon();
        }
        return false;
    }

private:
    // Queued, so the exposure (and its paint) is handled before the loop ends. exit(), not
    // quit(): quit() first asks every window to close, and the main window says no.
    static void quit_soon() {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
};

} // namespace tindrel::bench
