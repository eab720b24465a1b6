#pragma once

#include <string_view>

class QWidget;

namespace tindrel {

enum class MessageButtons { ok, yes_no };
enum class MessageAnswer { ok, yes, no };

// Shows a message box and waits for the answer. `text` holds the message's lines separated
// by one CR each; the box has no icon and is modal over every window of the program. A
// Yes/No box can only be answered by its buttons (Escape and the close box do nothing), as
// neither answer is a safe default. `over` is the window to centre on; null means the
// active window. Never fails.
MessageAnswer show_message(std::string_view title, std::string_view text,
                           MessageButtons buttons = MessageButtons::ok, QWidget* over = nullptr);

} // namespace tindrel
