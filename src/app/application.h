#pragma once

namespace tindrel {

// Starts the monitor, runs it until the user quits and returns the process exit code, which
// is 0 however the program ends.
int run_application(int argc, char** argv);

} // namespace tindrel
