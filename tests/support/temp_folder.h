// A fresh folder under the temporary directory, deleted with its files.
#ifndef VELMORA_TESTS_TEMP_FOLDER_H
#define VELMORA_TESTS_TEMP_FOLDER_H

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Without a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// How many files match a pattern such as "C:\\Proof\\*.TMP".
int CountFiles(const std::string& pattern);

#endif
