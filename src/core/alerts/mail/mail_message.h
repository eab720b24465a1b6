#pragma once

#include "core/alerts/mail/connection.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tindrel {

// Progress values a session leaves in MailMessage::progress. From 0 up, after the server has
// accepted DATA, the value counts the message bytes handed to the connection.
inline constexpr int32_t kMailInDialogue = -1;
inline constexpr int32_t kMailFailed = -2;
inline constexpr int32_t kMailFinished = -3;

// Header-line bits of MailRecipient::kind. Any other bits are kept: such a recipient gets
// its RCPT TO but appears in no header line.
inline constexpr uint32_t kRecipientTo = 1;
inline constexpr uint32_t kRecipientCc = 2;

struct MailRecipient {
    std::string address; // exactly as given
    uint32_t kind = 0;
};

// One e-mail and the state of its session. While a session runs, the worker thread alone
// touches the message, and `progress` is the only field the caller's thread may read. The
// worker's final write of kMailFinished or kMailFailed is its last access to the message.
struct MailMessage {
    std::string sender;
    std::string subject;
    std::optional<std::string> body;
    int32_t reply_timeout_s = 10;
    std::unique_ptr<Connection> connection;
    std::deque<MailRecipient> recipients; // newest first
    std::atomic<int32_t> progress{0};
};

// Messages in numbered slots. The table starts with 16 slots and grows to number + 16 when a
// message is created beyond its end. Each message lives on the heap, so its address holds
// while the table grows. Destroying the table releases every message still held.
class MailTable {
public:
    static constexpr size_t kInitialSlots = 16;
    // Numbers above this are refused rather than growing the table without bound.
    static constexpr int32_t kMaxNumber = 65535;

    MailTable() : slots_(kInitialSlots) {}

    // The message under `number`, or nullptr when the slot is empty or out of range.
    MailMessage* find(int32_t number) const;
    // Grows the table as needed and puts `message` in the slot, releasing the old one.
    // Returns nullptr when `number` is negative or above kMaxNumber.
    MailMessage* store(int32_t number, std::unique_ptr<MailMessage> message);
    void release(int32_t number);
    size_t slot_count() const { return slots_.size(); }

private:
    std::vector<std::unique_ptr<MailMessage>> slots_;
};

// Replaces whatever `number` held with a new message with copies of sender and subject.
// Returns the message, or nullptr when the number is out of range (negative, above
// MailTable::kMaxNumber); the old message is then left as it was.
MailMessage* create_mail(MailTable& table, int32_t number, std::string_view sender,
                         std::string_view subject);

// Replaces the body with a copy of `text`. Returns 1, or 0 when `number` holds no message.
int set_mail_body(MailTable& table, int32_t number, std::string_view text);

// Puts a recipient at the front of the message's list. Does nothing when the address is
// empty or `number` holds no message. `kind` is taken unchecked.
void add_mail_recipient(MailTable& table, int32_t number, std::string_view address, uint32_t kind);

// The message's progress value, or 0 when `number` holds no message. Safe to call while the
// message's session runs on another thread.
int32_t mail_progress(const MailTable& table, int32_t number);

// Releases the message and all it owns, an open connection included. Does nothing when
// `number` holds no message. Must not run while the message's session does.
void free_mail(MailTable& table, int32_t number);

} // namespace tindrel
