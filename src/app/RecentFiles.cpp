#include "app/RecentFiles.h"

#include <algorithm>

namespace tintorb {

std::vector<std::string> WithRecentFile(std::vector<std::string> files, std::string_view path) {
    files = WithoutRecentFile(std::move(files), path);
    files.insert(files.begin(), std::string(path));
    if (files.size() > MaxRecentFiles) {
        files.resize(MaxRecentFiles);
    }
    return files;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> files, std::string_view path) {
    std::erase(files, path);
    return files;
}

}  // namespace tintorb
