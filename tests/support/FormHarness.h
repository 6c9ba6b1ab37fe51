// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A started form on in-memory controls, and scratch files for tests that read and write real files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Generic.h"
#include "support/MemoryControls.h"
#include "support/StateAccess.h"

namespace tintorb::test {

struct FormHarness {
    MemoryControls controls;
    TForm1 form{controls};

    FormHarness() {
        controls.Attach(form);
        form.FormCreate();
        // As the window's first paint, which shows the whole surface.
        form.surface().TakeDirty();
    }
};

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    // The path of a file in the folder, as the text the form works with.
    [[nodiscard]] std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
[[nodiscard]] std::vector<std::uint8_t> ReadBytes(const std::string& path);
// Big-endian bytes of the given words.
[[nodiscard]] std::vector<std::uint8_t> WordBytes(const std::vector<std::uint16_t>& words);

}  // namespace tintorb::test
