// Answers to FM_GETFOCUS, the selection queries and FM_GETDRIVEINFO from fmhost's panes.
#include "tools/fmhost/queries.h"

#include "common/win/fm_extension.h"

#include <algorithm>
#include <cstring>

namespace fmhost {

namespace {

template <size_t N> void copyAnsi(char (&field)[N], const std::string& text) {
    size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

template <size_t N> void copyWide(WCHAR (&field)[N], const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), field, N - 1);
    field[n > 0 ? n : 0] = L'\0';
}

std::string shortPath(const std::string& path) {
    char buffer[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer) : path;
}

LRESULT fileSelection(const Panes& panes, UINT message, WPARAM index, LPARAM lParam, bool recordsAllowed) {
    if (lParam == 0 || !recordsAllowed)
        return 0;
    std::vector<Selected> selection = panes.selection();
    if (index >= selection.size())
        return -1; // no such entry: the caller's record stays as it was
    const Selected& entry = selection[index];
    bool longName = message == FM_GETFILESELLFNA || message == FM_GETFILESELLFNW;
    std::string name = longName ? entry.path : shortPath(entry.path);
    if (message == FM_GETFILESELA || message == FM_GETFILESELLFNA) {
        auto* record = reinterpret_cast<FMS_GETFILESELA*>(lParam);
        record->ftTime = entry.lastWrite;
        record->dwSize = entry.size;
        record->bAttr = static_cast<BYTE>(entry.attributes & 0xFF);
        copyAnsi(record->szName, name);
    } else {
        auto* record = reinterpret_cast<FMS_GETFILESELW*>(lParam);
        record->ftTime = entry.lastWrite;
        record->dwSize = entry.size;
        record->bAttr = static_cast<BYTE>(entry.attributes & 0xFF);
        copyWide(record->szName, name);
    }
    return static_cast<LRESULT>(index);
}

template <typename Record> void fillSpace(Record* record, const std::string& root) {
    ULARGE_INTEGER free{}, total{};
    if (GetDiskFreeSpaceExA(root.c_str(), &free, &total, nullptr)) {
        // The record has 32 bits; a bigger disk shows as full-scale, not wrapped around.
        record->dwTotalSpace = static_cast<DWORD>(std::min<ULONGLONG>(total.QuadPart, 0xFFFFFFFFu));
        record->dwFreeSpace = static_cast<DWORD>(std::min<ULONGLONG>(free.QuadPart, 0xFFFFFFFFu));
    }
}

LRESULT driveInfo(const Panes& panes, UINT message, LPARAM lParam, bool recordsAllowed) {
    if (lParam == 0 || !recordsAllowed)
        return 0;
    const std::string& path = panes.currentDirectory();
    std::string root = path.size() >= 3 && path[1] == ':' ? path.substr(0, 3) : path;
    char volume[MAX_PATH] = "";
    if (!GetVolumeInformationA(root.c_str(), volume, sizeof volume, nullptr, nullptr, nullptr, nullptr, 0))
        volume[0] = '\0';
    if (message == FM_GETDRIVEINFOA) {
        auto* record = reinterpret_cast<FMS_GETDRIVEINFOA*>(lParam);
        fillSpace(record, root);
        copyAnsi(record->szPath, path);
        copyAnsi(record->szVolume, volume);
        copyAnsi(record->szShare, "");
    } else {
        auto* record = reinterpret_cast<FMS_GETDRIVEINFOW*>(lParam);
        fillSpace(record, root);
        copyWide(record->szPath, path);
        copyWide(record->szVolume, volume);
        copyWide(record->szShare, "");
    }
    return 1;
}

} // namespace

bool answerQuery(const Panes& panes, UINT message, WPARAM wParam, LPARAM lParam, bool recordsAllowed, LRESULT& result) {
    switch (message) {
    case FM_GETFOCUS:
        switch (panes.focus()) {
        case PaneKind::Files:
            result = FMFOCUS_DIR;
            break;
        case PaneKind::Tree:
            result = FMFOCUS_TREE;
            break;
        case PaneKind::Drives:
            result = FMFOCUS_DRIVES;
            break;
        }
        return true;
    case FM_GETSELCOUNT:
    case FM_GETSELCOUNTLFN:
        result = static_cast<LRESULT>(panes.selection().size());
        return true;
    case FM_GETFILESELA:
    case FM_GETFILESELLFNA:
    case FM_GETFILESELW:
    case FM_GETFILESELLFNW:
        result = fileSelection(panes, message, wParam, lParam, recordsAllowed);
        return true;
    case FM_GETDRIVEINFOA:
    case FM_GETDRIVEINFOW:
        result = driveInfo(panes, message, lParam, recordsAllowed);
        return true;
    default:
        return false;
    }
}

} // namespace fmhost
