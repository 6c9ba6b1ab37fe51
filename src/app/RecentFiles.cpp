// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecentFiles.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

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

std::string PlaceKey(std::string_view path) {
    // The same file under another spelling of its path is the same place.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    return "place:" + (error ? std::string(path) : absolute.lexically_normal().string());
}

std::string PlaceText(RememberedPlace place) {
    return std::to_string(place.address) + ',' + std::to_string(place.length);
}

std::optional<RememberedPlace> ReadPlaceText(std::string_view text) {
    RememberedPlace place;
    const char* const end = text.data() + text.size();
    const auto [comma, addressError] = std::from_chars(text.data(), end, place.address);
    if (addressError != std::errc{} || comma == end || *comma != ',') {
        return std::nullopt;
    }
    const auto [last, lengthError] = std::from_chars(comma + 1, end, place.length);
    if (lengthError != std::errc{} || last != end || place.address < 0 || place.length < 1) {
        return std::nullopt;
    }
    return place;
}

}  // namespace tintorb
