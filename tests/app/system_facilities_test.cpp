// The program's real facilities: the embedded pictures and icon, and the alert sound on
// SDL's disk driver, which writes what it plays to a file.
#include "app/program_icon.h"
#include "app/system_facilities.h"
#include "core/resources/embedded_resources.h"
#include "core/resources/picture_table.h"
#include "qt_warnings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <cstdlib>

using tindrel::SystemFacilities;

namespace {

// True when `path` holds some sample that is not silence (the output is signed, so silence
// is zero bytes).
bool holds_sound(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    return std::any_of(bytes.begin(), bytes.end(), [](char byte) { return byte != 0; });
}

} // namespace

class SystemFacilitiesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;

    // Sends SDL's output to a file instead of a sound card, as long as the test runs.
    QString play_into_file(const char* name) {
        const QString path = folder_.filePath(QLatin1String(name));
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path.toLocal8Bit().constData(), 1);
        return path;
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }
    void init() { tindrel::testing::fail_on_qt_warnings(); }
    void cleanup() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    void pictures_are_decoded_and_released() {
        SystemFacilities facilities;
        const tindrel::Pictures pictures = facilities.load_pictures();
        QCOMPARE(pictures.left_arrow.size(), QSize(9, 15));
        QCOMPARE(pictures.on_ball.size(), QSize(14, 14));
        QCOMPARE(pictures.off_ball.size(), QSize(14, 14));
        QCOMPARE(pictures.logo.size(), QSize(84, 108));
        QCOMPARE(pictures.banner.size(), QSize(235, 92));
        // The arrow is a dark triangle pointing left on white: its tip row is dark at the
        // left edge and white at the right.
        const QImage arrow = pictures.left_arrow.toImage();
        QVERIFY(qGray(arrow.pixel(1, 7)) < 100);
        QVERIFY(qGray(arrow.pixel(0, 0)) > 200);
        // The balls differ: green for on, red for off.
        const QColor on = pictures.on_ball.toImage().pixelColor(7, 7);
        const QColor off = pictures.off_ball.toImage().pixelColor(7, 7);
        QVERIFY(on.green() > on.red());
        QVERIFY(off.red() > off.green());

        facilities.release_pictures();
        for (const int number :
             {tindrel::arrow_picture, tindrel::on_ball_picture, tindrel::off_ball_picture,
              tindrel::logo_picture, tindrel::banner_picture}) {
            QVERIFY(tindrel::find_picture(number) == nullptr);
        }
    }

    void icon_comes_in_its_four_sizes() {
        const QList<QSize> sizes = tindrel::program_icon().availableSizes();
        QCOMPARE(sizes, QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    }

    void alert_clip_is_heard_data() {
        QTest::addColumn<bool>("started_early");
        QTest::newRow("sound started at its step") << false;
        QTest::newRow("sound started ahead, on a helper thread") << true;
    }

    void alert_clip_is_heard() {
        QFETCH(bool, started_early);
        const QString output = play_into_file("alert.raw");
        SystemFacilities facilities;
        if (started_early) {
            facilities.begin_sound_start();
        }
        QVERIFY(facilities.start_sound());
        facilities.load_alert_clip();

        facilities.play_alert_sound();
        QTRY_VERIFY_WITH_TIMEOUT(holds_sound(output), 10000);
        facilities.release_sound();
    }

    void sound_leaves_the_end_signals_alone() {
        // The test runner has handlers of its own there; SDL takes only default ones.
        struct sigaction runner[2] = {};
        struct sigaction default_action {};
        default_action.sa_handler = SIG_DFL;
        const int end_signals[2] = {SIGINT, SIGTERM};
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(sigaction(end_signals[i], &default_action, &runner[i]), 0);
        }

        SystemFacilities facilities;
        QVERIFY(facilities.start_sound());
        struct sigaction after[2] = {};
        for (int i = 0; i < 2; ++i) {
            sigaction(end_signals[i], &runner[i], &after[i]);
        }
        facilities.release_sound();
        QVERIFY(after[0].sa_handler == SIG_DFL); // so the program ends when told to
        QVERIFY(after[1].sa_handler == SIG_DFL);
    }

    void stop_tones_are_heard_with_sound_only() {
        const QString output = play_into_file("tones.raw");
        SystemFacilities facilities;
        QVERIFY(facilities.start_sound());
        facilities.scan_platform().beeper.beep(1000, 100); // returns once played to its end
        QVERIFY(holds_sound(output));
        facilities.release_sound();

        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        SystemFacilities without_sound;
        without_sound.begin_sound_start(); // fails just the same ahead of its step
        QVERIFY(!without_sound.start_sound());
        without_sound.load_alert_clip();
        QElapsedTimer elapsed;
        elapsed.start();
        without_sound.scan_platform().beeper.beep(1000, 100);
        QVERIFY(elapsed.elapsed() >= 100); // silent, but Stop keeps its rhythm
        without_sound.play_alert_sound();  // nothing to play, nothing happens
        without_sound.release_sound();
    }
};

QTEST_MAIN(SystemFacilitiesTest)
#include "system_facilities_test.moc"
