#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex::test {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The absolute path of `name` inside the folder.
    std::string operator/(std::string_view name) const;
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::string path_;
};

// The whole file, or "<missing>" when it cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// The names in the folder, sorted: what a run left behind.
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace orvex::test
