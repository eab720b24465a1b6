#pragma once

#include <cstddef>
#include <cstdint>

namespace tindrel {

// An open byte stream to a mail server. The session talks only to this interface, so the
// dialogue can be driven by a scripted peer or a fake in tests.
class Connection {
public:
    virtual ~Connection() = default;

    // Hands `length` bytes to the connection, going on after partial sends. Returns the count
    // handed over (less than `length` when the peer went away part way), or -1 when nothing
    // could be sent. Never raises SIGPIPE.
    virtual int64_t send_bytes(const char* bytes, size_t length) = 0;

    // True when at least one received byte waits to be read. A connection the peer has
    // closed reports nothing pending.
    virtual bool input_pending() = 0;

    // One receive of at most `max_length` bytes: the count received, 0 when the peer has
    // closed the connection, or -1 on an error.
    virtual int64_t receive_bytes(char* buffer, size_t max_length) = 0;

    // Closes the connection; later calls do nothing. The destructor closes it too.
    virtual void close_connection() = 0;
};

} // namespace tindrel
