#pragma once

namespace quorvell::app {

// The whole program: builds the application and the window, runs the event
// loop, and returns the exit status.
int runQuorvell(int argc, char** argv);

} // namespace quorvell::app
