// The least platform work a tool's behaviour needs, timed: what our tools cost
// above it is the cost of our own code.
//   content ROOT  walk, one status query per file, open, read 64 KB blocks,
//                 close; the queue emptied after each read and each file
//   names ROOT    walk (its entries carry the status), queue emptied after each file
//   walk ROOT     walk only
//   equal ROOT    walk with the queue emptied after each file, then once more
//                 per file for the comparison that follows (the pumps the
//                 equal-files tool must do; the walk floor has none)
// Prints "files N bytes N seconds S".
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class Mode { Content, Names, Walk, Equal };

struct Floor {
    Mode mode;
    long files = 0;
    unsigned long long bytes = 0;
    std::vector<char> block = std::vector<char>(64 * 1024);

    // Removes every pending message, as the tools' pumps do.
    static void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }

    void file(const std::string& path) {
        ++files;
        if (mode == Mode::Content) {
            WIN32_FILE_ATTRIBUTE_DATA status;
            if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &status)) {
                HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
                if (h != INVALID_HANDLE_VALUE) {
                    DWORD got = 0;
                    while (ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got > 0) {
                        bytes += got;
                        pump();
                        if (got < block.size())
                            break;
                    }
                    CloseHandle(h);
                }
            }
        }
        if (mode != Mode::Walk)
            pump();
    }

    void directory(const std::string& dir) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((dir + "\\*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            if (data.cFileName[0] == '.')
                continue;
            std::string child = dir + "\\" + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                directory(child);
            else
                file(child);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: benchfloor content|names|walk|equal ROOT\n");
        return 2;
    }
    const Mode mode = std::strcmp(argv[1], "content") == 0 ? Mode::Content
                      : std::strcmp(argv[1], "names") == 0 ? Mode::Names
                      : std::strcmp(argv[1], "equal") == 0 ? Mode::Equal
                                                           : Mode::Walk;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue exists from here on
    Floor floor{mode};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    floor.directory(argv[2]);
    if (mode == Mode::Equal)
        for (long i = 0; i < floor.files; ++i)
            Floor::pump();
    QueryPerformanceCounter(&end);
    std::printf("files %ld bytes %llu seconds %.3f\n", floor.files, floor.bytes,
                static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return 0;
}
