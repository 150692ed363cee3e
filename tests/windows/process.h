#pragma once

// Starting programs from the Windows tests with an exact command line.

#include <filesystem>
#include <string>

namespace quorvell::testing::win {

struct ProcessResult {
    unsigned long exitCode = 0;
    std::string output; // standard output, raw bytes
};

// Runs program with commandLine as its raw command line (GetCommandLineW in
// the child sees exactly this), waits for it and collects its standard
// output. An empty program lets CreateProcessW find it from the line itself.
// Throws when it cannot be started or takes longer than a minute.
ProcessResult runProcess(const std::filesystem::path& program, const std::wstring& commandLine);

// True inside Wine, where HKEY_LOCAL_MACHINE is a throwaway test prefix's.
bool runningUnderWine();

// This test program's own folder.
std::filesystem::path ownFolder();

} // namespace quorvell::testing::win
