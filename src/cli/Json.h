// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The little JSON the listings of tintorb-cli print: one object a line, its values numbers or texts.

#include <cstdint>
#include <string>
#include <string_view>

namespace tintorb::cli {

// text as a JSON string, quotes included: quote, backslash and the control characters escaped, every other
// byte as it is (UTF-8 stays UTF-8).
[[nodiscard]] std::string JsonString(std::string_view text);

// {"name": value, "name": value}, fields in the order they are added.
class JsonObject {
  public:
    JsonObject& Number(std::string_view name, std::int64_t value);
    // A number already written as JSON writes it, such as a score's "0.93".
    JsonObject& Number(std::string_view name, std::string_view digits);
    JsonObject& Text(std::string_view name, std::string_view value);
    [[nodiscard]] std::string Written() const { return text_ + '}'; }

  private:
    JsonObject& Field(std::string_view name, std::string_view value);

    std::string text_ = "{";
};

}  // namespace tintorb::cli
