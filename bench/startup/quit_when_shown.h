#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

namespace tindrel::bench {

// Ends the process as soon as a window has been put on screen and painted once.
// Queued, so the exposure (and its paint) is handled first. The process then ends at
// once: what is timed is start-up, not the release of the facilities afterwards (the
// program's own quit path does that, and is not what this measures).
inline void quit_soon() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { std::_Exit(0); }, Qt::QueuedConnection);
}

// Ends the process as soon as `window` has been put on screen and painted once.
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
};

} // namespace tindrel::bench
