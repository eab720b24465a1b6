// The pause between two looks at an alert mail's progress.
#include "app/mail_wait.h"
#include "qt_warnings.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace {

class PaintCounter final : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class MailWaitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }
    void init() { tindrel::testing::fail_on_qt_warnings(); }

    void windows_repaint_and_timers_run_while_waiting() {
        PaintCounter window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        const int paints_before = window.paints;
        bool timer_ran = false;
        QTimer::singleShot(0, [&timer_ran] { timer_ran = true; });
        window.update();

        QElapsedTimer elapsed;
        elapsed.start();
        tindrel::wait_for_mail(50);
        QVERIFY(elapsed.elapsed() >= 50); // never returns early: the mail may not be done
        QVERIFY(timer_ran);
        QCOMPARE(window.paints, paints_before + 1);
    }
};

QTEST_MAIN(MailWaitTest)
#include "mail_wait_test.moc"
