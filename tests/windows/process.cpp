#include "tests/windows/process.h"

#include "base/windows_text.h"

#define WIN32_LEAN_AND_MEAN
#include <stdexcept>
#include <windows.h>

namespace quorvell::testing::win {

namespace {

struct Handle {
    HANDLE h = nullptr;
    ~Handle() {
        if (h && h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
        }
    }
};

std::runtime_error failure(const std::string& what) {
    return std::runtime_error(what + ": " + quorvell::win::errorReason(GetLastError()));
}

} // namespace

ProcessResult runProcess(const std::filesystem::path& program, const std::wstring& commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle readEnd;
    Handle writeEnd;
    if (!CreatePipe(&readEnd.h, &writeEnd.h, &inherit, 0)) {
        throw failure("CreatePipe");
    }
    SetHandleInformation(readEnd.h, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd.h;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);

    std::wstring line = commandLine; // CreateProcessW may write into it
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr,
                        TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
        throw failure("cannot start " + quorvell::win::utf8FromWide(commandLine));
    }
    Handle process{info.hProcess};
    Handle thread{info.hThread};
    CloseHandle(writeEnd.h);
    writeEnd.h = nullptr;

    // Read while it runs, so a full pipe can never stall it.
    ProcessResult result;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        result.output.append(buffer, got);
    }
    if (WaitForSingleObject(process.h, 60'000) != WAIT_OBJECT_0) {
        TerminateProcess(process.h, 1);
        throw std::runtime_error("timed out: " + quorvell::win::utf8FromWide(commandLine));
    }
    DWORD code = 0;
    GetExitCodeProcess(process.h, &code);
    result.exitCode = code;
    return result;
}

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::filesystem::path ownFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

} // namespace quorvell::testing::win
