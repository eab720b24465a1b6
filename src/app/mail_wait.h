#pragma once

namespace tindrel {

// The pause between two looks at an alert mail's progress (MailDependencies::wait). The
// windows go on repainting and timers run, but no input is taken: whatever the user does
// meanwhile waits in the queue until the mail's outcome is known. Returns after
// `milliseconds` on the monotonic clock (at once for 0 or less); never fails. For the
// user-interface thread only.
void wait_for_mail(int milliseconds);

} // namespace tindrel
