#pragma once

#include <string>
#include <vector>

namespace tindrel::testing {

// The calls several fakes received, in one list, for tests of their order.
struct CallJournal {
    std::vector<std::string> calls;
    void note(const std::string& call) { calls.push_back(call); }
};

} // namespace tindrel::testing
