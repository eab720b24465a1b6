#include "app/scan_driver.h"

namespace tindrel {

ScanDriver::ScanDriver(MainWindow& window, const Settings& settings, const AppState& state,
                       const ScanPlatform& platform, ScanAlerts& alerts, QObject* parent)
    : QObject(parent), view_(window),
      cycle_(settings, state,
             ScanServices{platform.clock, platform.prober, platform.resolver, view_, alerts,
                          platform.beeper, platform.sleeper}),
      wake_up_(this) {
    wake_up_.setObjectName(QLatin1String(kTimerName));
    wake_up_.setSingleShot(true);
    // Deadlines are kept to the millisecond; a coarse timer would wake up to 5 % late.
    wake_up_.setTimerType(Qt::PreciseTimer);
    connect(&wake_up_, &QTimer::timeout, this, [this] { iterate(&ScanCycle::on_timer); });
}

void ScanDriver::start() {
    iterate(&ScanCycle::start);
}

void ScanDriver::stop() {
    iterate(&ScanCycle::on_stop);
}

void ScanDriver::clean_list() {
    iterate(&ScanCycle::on_clean_list);
}

void ScanDriver::iterate(void (ScanCycle::*call)()) {
    wake_up_.stop();
    (cycle_.*call)();
    if (cycle_.running()) {
        wake_up_.start(cycle_.ms_until_due());
    }
}

} // namespace tindrel
