#include "core/store/settings.h"

#include "core/store/text_trim.h"

namespace tindrel {

bool is_smtp_configured(const Settings& settings) {
    if (settings.smtp_port == 0) {
        return false;
    }
    return !trim_spaces(settings.recipient1).empty() || !trim_spaces(settings.recipient2).empty();
}

} // namespace tindrel
