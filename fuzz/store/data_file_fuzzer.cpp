// Feeds arbitrary bytes to the data-file reader. Besides crashes, hangs and undefined
// behaviour it checks that what a save writes reads back the same: the host list exactly,
// and the settings once their first save has normalised them.
#include "core/store/data_file_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tindrel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Settings settings;
    std::vector<std::string> hosts;
    parse_data_file(bytes, settings, hosts);
    const std::string saved = format_data_file(settings, hosts);

    Settings settings_again;
    std::vector<std::string> hosts_again;
    parse_data_file(saved, settings_again, hosts_again);
    if (hosts_again != hosts || format_data_file(settings_again, hosts_again) != saved) {
        std::abort();
    }
    return 0;
}
