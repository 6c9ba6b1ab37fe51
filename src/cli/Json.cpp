// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Json.h"

#include <cstdio>

namespace tintorb::cli {

std::string JsonString(std::string_view text) {
    std::string json(1, '"');
    for (const char c : text) {
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    json += escaped;
                } else {
                    json += c;
                }
        }
    }
    json += '"';
    return json;
}

JsonObject& JsonObject::Number(std::string_view name, std::int64_t value) {
    return Field(name, std::to_string(value));
}

JsonObject& JsonObject::Number(std::string_view name, std::string_view digits) {
    return Field(name, digits);
}

JsonObject& JsonObject::Text(std::string_view name, std::string_view value) {
    return Field(name, JsonString(value));
}

JsonObject& JsonObject::Field(std::string_view name, std::string_view value) {
    if (text_.size() > 1) {
        text_ += ", ";
    }
    text_ += JsonString(name);
    text_ += ": ";
    text_ += value;
    return *this;
}

}  // namespace tintorb::cli
