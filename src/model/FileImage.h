// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file read and write of the file image.

#include "model/FileBytes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tintorb {

// A failed file operation. what() is the text the user is shown ("File not found", "Disk full", ...).
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Enough of how a file looks on disk to tell that another program has changed it since.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at path (a link followed); nothing when there is no such file.
[[nodiscard]] std::optional<FileStamp> StampOf(const std::string& path);

// Whether the two paths name one existing file, by whatever links or spellings.
[[nodiscard]] bool SameFile(const std::string& a, const std::string& b);

// Reads the whole file at path into fileData and returns the stamp of what was read. fileData is replaced
// only when every byte was read; after a failure it is exactly what it was. Throws FileError.
FileStamp LoadFileData(FileBytes& fileData, const std::string& path);

// Reads the whole file at path as a text, checked and failing as LoadFileData does. Throws FileError.
[[nodiscard]] std::string LoadFileText(const std::string& path);

// Once at the start of every program that saves. A write past the process's file-size limit otherwise
// kills it with SIGXFSZ, unsaved edits and all, before the save can fail with a message.
void IgnoreFileSizeSignal();

// Writes data over the file at path. The bytes go to a temporary file beside the target that is renamed
// over it, so a failure leaves the target exactly as it was. A target with other hard links is written in
// place instead, after the temporary copy has shown that the bytes fit, so that every name of the file sees
// the new bytes. Throws FileError.
void SaveFileData(std::span<const std::uint8_t> data, const std::string& path);

}  // namespace tintorb
