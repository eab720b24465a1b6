#include "app/data_file_io.h"

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/message_texts.h"
#include "core/store/data_file.h"

#include <string>
#include <vector>

namespace tindrel {

bool load_data_file_into(MainWindow& window, Settings& settings, AppState& state) {
    const std::string path = data_file_path();
    LoadOutcome outcome;
    std::vector<std::string> hosts;
    if (path.empty()) {
        outcome.file_was_missing = true;
        outcome.open_failed = true;
    } else {
        outcome = load_data_file(path, settings, state, hosts);
    }

    if (outcome.file_was_missing) {
        show_message(texts::kWarningTitle, texts::kDataFileNotFound, MessageButtons::ok, &window);
    }
    if (outcome.open_failed) {
        show_message(texts::kWarningTitle, texts::kDataFileUnusable, MessageButtons::ok, &window);
        return false;
    }
    window.append_host_lines(hosts);
    if (outcome.mail_turned_off) {
        show_message(texts::kInformationTitle, texts::kMailTurnedOff, MessageButtons::ok, &window);
    }
    return true;
}

bool save_data_file_from(MainWindow& window, const Settings& settings) {
    const std::string path = data_file_path();
    if (!path.empty() && save_data_file(path, settings, window.host_lines())) {
        return true;
    }
    show_message(texts::kWarningTitle, texts::kDataFileNotSaved, MessageButtons::ok, &window);
    return false;
}

} // namespace tindrel
