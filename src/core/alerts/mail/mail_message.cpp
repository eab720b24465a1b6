#include "core/alerts/mail/mail_message.h"

namespace tindrel {

MailMessage* MailTable::find(int32_t number) const {
    if (number < 0 || static_cast<size_t>(number) >= slots_.size()) {
        return nullptr;
    }
    return slots_[static_cast<size_t>(number)].get();
}

MailMessage* MailTable::store(int32_t number, std::unique_ptr<MailMessage> message) {
    if (number < 0 || number > kMaxNumber) {
        return nullptr;
    }
    const auto index = static_cast<size_t>(number);
    if (index >= slots_.size()) {
        slots_.resize(index + kInitialSlots);
    }
    slots_[index] = std::move(message);
    return slots_[index].get();
}

void MailTable::release(int32_t number) {
    if (find(number) != nullptr) {
        slots_[static_cast<size_t>(number)].reset();
    }
}

MailMessage* create_mail(MailTable& table, int32_t number, std::string_view sender,
                         std::string_view subject) {
    auto message = std::make_unique<MailMessage>();
    message->sender = sender;
    message->subject = subject;
    return table.store(number, std::move(message));
}

int set_mail_body(MailTable& table, int32_t number, std::string_view text) {
    MailMessage* message = table.find(number);
    if (message == nullptr) {
        return 0;
    }
    message->body = std::string(text);
    return 1;
}

void add_mail_recipient(MailTable& table, int32_t number, std::string_view address, uint32_t kind) {
    MailMessage* message = table.find(number);
    if (message == nullptr || address.empty()) {
        return;
    }
    message->recipients.push_front(MailRecipient{std::string(address), kind});
}

int32_t mail_progress(const MailTable& table, int32_t number) {
    const MailMessage* message = table.find(number);
    return message == nullptr ? 0 : message->progress.load();
}

void free_mail(MailTable& table, int32_t number) {
    table.release(number);
}

} // namespace tindrel
