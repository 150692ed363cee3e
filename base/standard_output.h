#pragma once

// What a program says on standard output must arrive: a script that keeps it
// (`quorvell-cli --json list > file`) would otherwise be left with nothing on
// a full disk and a status of success.

namespace quorvell {

// Flushes standard output (std::cout and stdout alike). When anything written
// to it was lost, says so on standard error as "program: could not write to
// standard output: reason" and returns 1; otherwise returns status. Where
// there is no standard output at all (a Windows program without a console)
// there is nothing to check.
int checkedStandardOutput(const char* program, int status);

} // namespace quorvell
