// Files of the build, as the Windows programs of the tests see them.
#ifndef VELMORA_TESTS_BUILD_FILES_H
#define VELMORA_TESTS_BUILD_FILES_H

#include <windows.h>

#include <string>

// The build names its files by Unix paths; Wine sees the root as drive Z.
std::string WindowsPathOf(const char* unixPath);

// A program of the build opened as a data file, once per path: a 64-bit test
// cannot run 32-bit code, only read it.  NULL, with the reason, when it
// cannot be opened.
HMODULE OpenBuiltProgram(const char* unixPath, std::string* problem);

#endif
