#include "base/io_error.h"
#include "base/windows_handle.h"
#include "base/windows_text.h"
#include "discovery/folder_enumeration.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace quorvell::discovery {

namespace {

[[noreturn]] void fail(const std::filesystem::path& folder, DWORD error) {
    throw IoError(win::pathUtf8(folder), win::errorReason(error));
}

// A reparse point (symbolic link, junction, cloud placeholder) counts only
// when what it leads to is a disk file; one that leads nowhere is left out.
bool leadsToFile(const std::filesystem::path& path) {
    const HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool file = GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
                      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    CloseHandle(h);
    return file;
}

} // namespace

std::vector<std::string> listVisibleRegularFiles(const std::filesystem::path& folder) {
    // Every entry, so the file system's own pattern matching (which also
    // matches 8.3 short names) plays no part; listFolder matches the names.
    const std::filesystem::path all = folder / L"*";
    WIN32_FIND_DATAW entry{};
    win::FindHandle find(
        FindFirstFileExW(all.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (find.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        const bool isFolder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (error == ERROR_FILE_NOT_FOUND && isFolder) {
            return {}; // an empty folder (a drive's root has not even ".")
        }
        fail(folder, isFolder || error != ERROR_FILE_NOT_FOUND ? error : ERROR_PATH_NOT_FOUND);
    }
    std::vector<std::string> names;
    do {
        const DWORD attributes = entry.dwFileAttributes;
        constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
        if ((attributes & kLeftOut) != 0) {
            continue;
        }
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            !leadsToFile(folder / entry.cFileName)) {
            continue;
        }
        names.push_back(win::utf8FromWide(entry.cFileName));
    } while (FindNextFileW(find.get(), &entry));
    if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES) {
        fail(folder, error);
    }
    return names;
}

} // namespace quorvell::discovery
