#pragma once

// Whole-file read and write of the file image.

#include "model/FileBytes.h"

#include <cstdint>
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

// Reads the whole file at path into fileData. fileData is replaced only when every byte was read; after a
// failure it is exactly what it was. Throws FileError.
void LoadFileData(FileBytes& fileData, const std::string& path);

// Writes data over the file at path. The bytes go to a temporary file beside the target that is renamed
// over it, so a failure leaves the target exactly as it was. Throws FileError.
void SaveFileData(std::span<const std::uint8_t> data, const std::string& path);

}  // namespace tintorb
