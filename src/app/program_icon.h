#pragma once

#include <QIcon>

namespace tindrel {

// The program's icon in every size it is drawn in (16, 32, 48 and 64 pixels), for the
// title bars and the task bar. A size whose picture cannot be read is left out.
QIcon program_icon();

} // namespace tindrel
