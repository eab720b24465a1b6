#pragma once

#include "core/platform/resolver.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tindrel {

struct ResolvedTarget {
    uint32_t address = 0;     // IPv4 in network byte order; 0 = the entry has no address
    std::string working_text; // what is left of the entry, shown in the "Host unknown" line
};

// Turns a host list entry into an address. An entry beginning with "@" is a host name: the
// rest goes unchanged to `resolver`, and the working text is that name. Any other text is
// read as a dotted address, field by field, with the number-reading rule and the low 8 bits
// of each number; the working text is then what remains once the first two fields and their
// dots are taken off. Never fails: malformed text gives 0 octets, an unresolvable name or
// the address 0.0.0.0 gives address 0. Blocks while the resolver looks a name up.
ResolvedTarget resolve_target(std::string_view entry, Resolver& resolver);

} // namespace tindrel
