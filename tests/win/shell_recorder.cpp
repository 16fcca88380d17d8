// Stands in for the help viewer and the web browser in the tests' own Wine
// prefix: it appends what it was asked to open to opened.txt next to itself.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log(path, length);
    log.replace(log.find_last_of("\\/") + 1, std::string::npos, "opened.txt");
    FILE* file = std::fopen(log.c_str(), "a");
    if (!file) return 1;
    std::fprintf(file, "%s\n", argc > 1 ? argv[1] : "");
    std::fclose(file);
    return 0;
}
