// A program the tests configure as a tool to start: it appends one line
// "<current directory>|<its arguments>" to arg_recorder.log in the
// temporary directory, and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char directory[MAX_PATH] = "", log[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    GetTempPathA(sizeof log, log);
    std::strncat(log, "arg_recorder.log", sizeof log - std::strlen(log) - 1);
    if (std::FILE* out = std::fopen(log, "ab")) {
        std::fprintf(out, "%s|%s\r\n", directory, arguments);
        std::fclose(out);
    }
    return 0;
}
