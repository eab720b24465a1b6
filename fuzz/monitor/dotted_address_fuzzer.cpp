// Any host list entry that is not a host name is read as a dotted address. Whatever the
// bytes, the reading must not crash, must not look anything up, and must leave a working
// text that is the tail of the entry.
#include "core/monitor/target_resolution.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class NoLookups final : public tindrel::Resolver {
public:
    std::optional<uint32_t> resolve_ipv4(const std::string&) override { std::abort(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string entry(reinterpret_cast<const char*>(data), size);
    if (!entry.empty() && entry[0] == '@') {
        entry[0] = '.'; // host names go to the resolver; this target is about dotted reading
    }
    NoLookups resolver;
    const tindrel::ResolvedTarget target = tindrel::resolve_target(entry, resolver);
    const std::string& rest = target.working_text;
    if (rest.size() > entry.size() ||
        entry.compare(entry.size() - rest.size(), rest.size(), rest) != 0) {
        std::abort();
    }
    return 0;
}
