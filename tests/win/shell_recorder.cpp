// Stands in for the help viewer and the web browser in the tests' own Wine
// prefix: appends what it was asked to open to opened.txt next to itself.
#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    std::string log(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    log.replace(log.find_last_of("\\/") + 1, std::string::npos, "opened.txt");
    std::ofstream(log, std::ios::app) << (argc > 1 ? argv[1] : "") << '\n';
}
