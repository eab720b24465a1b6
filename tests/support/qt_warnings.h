#pragma once

#include <QRegularExpression>
#include <QtTest>
#include <cstdio>

namespace tindrel::testing {

inline QtMessageHandler& previous_message_handler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

// The offscreen platform has no window manager and no real input devices. It says so
// ("This plugin does not support raise()", "... grabbing the keyboard", "...
// propagateSizeHints()") whenever a window is raised, a menu pops up or a window's size
// limits change; those notices are about the platform, not the program.
inline void drop_offscreen_notice(QtMsgType type, const QMessageLogContext& context,
                                  const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support "))) {
        return;
    }
    if (QtMessageHandler previous = previous_message_handler()) {
        previous(type, context, message);
    } else {
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

// Call from initTestCase(): drops the offscreen platform's notices and hands every other
// message on to Qt Test.
inline void drop_offscreen_platform_notices() {
    previous_message_handler() = qInstallMessageHandler(drop_offscreen_notice);
}

// Call from init(): any Qt warning during the test function fails it.
inline void fail_on_qt_warnings() {
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

} // namespace tindrel::testing
