#include "app/program.h"

#include "app/about_window.h"
#include "app/alert_channels.h"
#include "app/data_file_io.h"
#include "app/facilities.h"
#include "app/host_list_actions.h"
#include "app/mail_wait.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/message_texts.h"
#include "app/options_window.h"
#include "app/scan_driver.h"
#include "app/smtp_settings_window.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScopedValueRollback>

namespace tindrel {

Program::Program(Facilities& facilities) : facilities_(facilities) {}

Program::~Program() = default;

bool Program::start_up() {
    if (!facilities_.start_network()) {
        show_message(texts::kWarningTitle, texts::kNetworkProblem);
        shut_down();
        return false;
    }
    state_.sound_available = facilities_.start_sound() ? 1 : 0;
    if (state_.sound_available == 0) {
        show_message(texts::kWarningTitle, texts::kNoSoundCard);
    }
    fonts_ = load_window_fonts();
    const Pictures pictures = facilities_.load_pictures();
    if (state_.sound_available == 1) {
        facilities_.load_alert_clip();
    }

    state_.modified = 0;
    state_.log_limit = 100;
    settings_ = Settings{};

    window_ = std::make_unique<MainWindow>(fonts_, pictures);
    window_->centre_on_screen();
    window_->show();

    if (!load_data_file_into(*window_, settings_, state_)) {
        shut_down();
        return false;
    }
    window_->set_log_text_colour(QColor(255, 0, 0));
    window_->refresh_indicators(settings_);
    run_main_loop();
    return true;
}

void Program::run_main_loop() {
    const ScanPlatform platform = facilities_.scan_platform();
    alerts_ = std::make_unique<AlertChannels>(facilities_, settings_, platform);
    scan_ = std::make_unique<ScanDriver>(*window_, settings_, state_, platform, *alerts_);

    const MainControls& c = window_->controls();
    const MainMenu& m = window_->menu();
    MainWindow& window = *window_;

    connect(c.add_ip, &QPushButton::clicked, this, [this, &window] { add_ip(window, state_); });
    connect(c.add_hostname, &QPushButton::clicked, this,
            [this, &window] { add_hostname(window, state_); });
    connect(c.delete_selected, &QPushButton::clicked, this,
            [this, &window] { delete_selected(window, state_); });
    connect(c.clean_list, &QPushButton::clicked, this, &Program::clean_list);
    connect(c.start, &QPushButton::clicked, this, &Program::start_scan);

    connect(m.start, &QAction::triggered, this, &Program::start_scan);
    connect(m.save, &QAction::triggered, this, &Program::save_list_and_settings);
    connect(m.smtp_settings, &QAction::triggered, this, &Program::open_smtp_settings);
    connect(m.ping_options, &QAction::triggered, this, &Program::open_ping_options);
    connect(m.about, &QAction::triggered, this, &Program::open_about);
    // Quitting deletes the window, so it runs once the event that asked for it is done.
    connect(m.quit, &QAction::triggered, this, &Program::quit_program, Qt::QueuedConnection);
    connect(&window, &MainWindow::close_requested, this, &Program::on_close_request,
            Qt::QueuedConnection);
}

void Program::on_close_request() {
    // Ignored while a scan or a secondary window runs its loop, and when it did not come
    // from the user at the window: sent by another program while another window is in front.
    if (window_ == nullptr || nested_loops_ > 0 || scanning() ||
        QApplication::activeWindow() != window_.get()) {
        return;
    }
    quit_program();
}

void Program::save_list_and_settings() {
    state_.modified = save_data_file_from(*window_, settings_) ? 0 : 1;
}

void Program::quit_program() {
    if (ended_ || quitting_) {
        return;
    }
    QScopedValueRollback<bool> once(quitting_, true);
    if (state_.modified == 1 &&
        show_message(texts::kSaveTitle, texts::kSaveQuestion, MessageButtons::yes_no,
                     window_.get()) == MessageAnswer::yes &&
        !save_data_file_from(*window_, settings_)) {
        // Ending now would throw the unsaved list away: stay open and let the user retry.
        return;
    }
    window_->close_for_good();
    shut_down();
}

void Program::shut_down() {
    if (ended_) {
        return;
    }
    ended_ = true;
    facilities_.release_sound();
    facilities_.release_mail_messages();
    facilities_.end_network();
    scan_.reset();
    alerts_.reset();
    window_.reset();
    facilities_.release_pictures();
    fonts_ = WindowFonts{};
    facilities_.close_files();
    emit ended(0);
}

bool Program::scanning() const {
    return scan_ != nullptr && scan_->running();
}

void Program::start_scan() {
    if (scanning()) {
        scan_->stop();
        drop_actions_during_scan(false); // only now: stopping may still run a probe step
    } else {
        drop_actions_during_scan(true);
        scan_->start();
    }
}

void Program::clean_list() {
    if (scanning()) {
        scan_->clean_list();
    } else {
        clean_log(*window_);
    }
}

// While a scan runs only Stop and "Clean list" act. The scan greys menu items 1 to 4
// itself; the other buttons and the About item stay as they look but do nothing, and close
// requests are dropped as they arrive.
void Program::drop_actions_during_scan(bool drop) {
    const MainControls& c = window_->controls();
    for (QObject* source : std::initializer_list<QObject*>{
             c.add_ip, c.add_hostname, c.delete_selected, window_->menu().about}) {
        source->blockSignals(drop);
    }
}

void Program::open_smtp_settings() {
    run_nested([this] {
        // The test mail goes out as the scan's alert mails do.
        const ScanPlatform platform = facilities_.scan_platform();
        const MailDependencies mail{platform.resolver, platform.clock, wait_for_mail};
        run_smtp_settings_window(*window_, settings_, state_, mail);
    });
}

void Program::open_ping_options() {
    run_nested([this] { run_options_window(*window_, settings_, state_); });
}

void Program::open_about() {
    run_nested([this] { show_about_window(*window_); });
}

} // namespace tindrel
