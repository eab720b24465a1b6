#pragma once

#include <string>

namespace tindrel {

// Starts the network facility. On Linux sockets need no start: the facility counts as
// started when an IPv4 stream socket and an ICMP echo socket can both be opened.
// Returns false when either cannot; `problem`, when given, then receives the cause.
bool init_network(std::string* problem = nullptr);

// Stops the facility; does nothing unless init_network succeeded.
void end_network();

} // namespace tindrel
