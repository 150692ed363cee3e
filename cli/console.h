#pragma once

#include <ostream>

namespace quorvell::cli {

// Where the program's words go. Standard output carries results only, so a
// script can read them; everything else goes to standard error.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false; // progress is shown only then
};

} // namespace quorvell::cli
