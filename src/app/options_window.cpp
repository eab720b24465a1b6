#include "app/options_window.h"

#include "app/main_window.h"
#include "app/secondary_controls.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace tindrel {
namespace {

int16_t switch_state(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

} // namespace

OptionsWindow::OptionsWindow(MainWindow& main_window, Settings& settings, AppState& state)
    : SecondaryWindow(main_window, {QStringLiteral("Options"), QSize(251, 131)}),
      settings_(settings), state_(state) {
    create_controls();
    OptionsControls& c = controls_;
    c.play_sound->setEnabled(state_.sound_available != 0);
    // An interval outside the range (only a hand-edited file holds one) shows as the nearest
    // bound; it is stored only once the user acts on the spin box.
    c.scan_interval->setValue(settings_.scan_interval_ms / 1000);
    c.play_sound->setChecked(settings_.play_sound != 0);
    c.send_email->setChecked(settings_.send_email != 0);

    // Connected only now, so that filling the controls is no event of theirs.
    connect(c.scan_interval, &QSpinBox::valueChanged, this, &OptionsWindow::take_interval);
    connect(c.scan_interval, &QSpinBox::textChanged, this, &OptionsWindow::take_interval);
    c.scan_interval->installEventFilter(this);
    connect(c.close, &QPushButton::clicked, this, &OptionsWindow::take_switches_and_close);
}

void OptionsWindow::create_controls() {
    OptionsControls& c = controls_;
    c.scan_label = make_label(this, "Scan list every : ", "scanEveryLabel", 10, 20, 90, 20);
    c.play_sound = make_check_box(this, "Send sound alert", "playSoundBox", 10, 50, 110, 20);
    c.send_email = make_check_box(this, "Send EMail ", "sendEmailBox", 10, 70, 110, 20);
    c.scan_interval = new QSpinBox(this);
    c.scan_interval->setObjectName(QStringLiteral("scanIntervalBox"));
    c.scan_interval->setGeometry(90, 20, 80, 20);
    c.scan_interval->setRange(kMinSeconds, kMaxSeconds);
    c.scan_interval->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.scan_interval->setGroupSeparatorShown(false);
    c.seconds_label = make_label(this, "Sec.", "secondsLabel", 180, 20, 40, 20);
    c.close = make_button(this, "Close", "closeButton", 170, 100, 70, 20);
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controls_.scan_interval &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        take_interval();
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void OptionsWindow::take_interval() {
    if (!is_open()) {
        return; // the focus leaving as the window closes is no change of the user's
    }
    const int32_t interval_ms = controls_.scan_interval->value() * 1000;
    if (interval_ms != settings_.scan_interval_ms) {
        state_.modified = 1;
    }
    settings_.scan_interval_ms = interval_ms;
}

void OptionsWindow::take_switches_and_close() {
    const auto take = [this](const QCheckBox* box, int16_t& stored) {
        const int16_t state = switch_state(box);
        if (state != stored) {
            state_.modified = 1;
        }
        stored = state;
    };
    take(controls_.play_sound, settings_.play_sound);
    take(controls_.send_email, settings_.send_email);
    close_window();
}

void run_options_window(MainWindow& main_window, Settings& settings, AppState& state) {
    OptionsWindow window(main_window, settings, state);
    window.run();
    main_window.refresh_indicators(settings);
}

} // namespace tindrel
