#pragma once

// The little the program needs from the system it runs on.

#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::cli {

// The arguments after the program's own name, as UTF-8.
std::vector<std::string> processArguments(int argc, char** argv);

// Whether standard error is a terminal (a console window on Windows).
bool stderrIsTerminal();

// The folder that holds the program; empty when the system cannot say.
std::filesystem::path programFolder();

// Lets the console show the UTF-8 the program writes.
void prepareConsole();

} // namespace quorvell::cli
