#pragma once

namespace quorvell::app {

// Command-line mode writes a line of outcome. A Windows GUI program has no
// console of its own, so it borrows the one it was started from, if any;
// elsewhere standard output is already there.
void attachParentConsole();

} // namespace quorvell::app
