#include "support/build_files.h"

#include <algorithm>
#include <map>

std::string WindowsPathOf(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

HMODULE OpenBuiltProgram(const char* unixPath, std::string* problem)
{
    struct Opened {
        HMODULE module;
        std::string failure;
    };
    static std::map<std::string, Opened> opened;
    auto found = opened.find(unixPath);
    if (found == opened.end()) {
        Opened attempt = {NULL, ""};
        std::string path = WindowsPathOf(unixPath);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            attempt.failure = "the program " + std::string(unixPath) +
                              " does not exist: build it first (cmake --preset product && "
                              "cmake --build --preset product)";
        else if (!(attempt.module = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE)))
            attempt.failure =
                "cannot open " + path + " as a data file, error " + std::to_string(GetLastError());
        found = opened.emplace(unixPath, attempt).first;
    }
    *problem = found->second.failure;
    return found->second.module;
}
