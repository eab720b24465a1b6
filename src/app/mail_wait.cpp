#include "app/mail_wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace tindrel {

void wait_for_mail(int milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    const QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
    // Whatever is pending now (paints, timers, queued calls) runs; clicks and keys stay
    // queued, so no action of the user can begin before the mail has ended.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, milliseconds);
    const qint64 left = deadline.remainingTime();
    if (left > 0) {
        QThread::msleep(static_cast<unsigned long>(left));
    }
}

} // namespace tindrel
