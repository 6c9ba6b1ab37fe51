// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MenuItems.h"

#include <cstdint>
#include <optional>

#include "app/Generic.h"
#include "model/NumberText.h"

namespace tintorb {

namespace {

constexpr std::size_t NamesInMenu = 30;

[[nodiscard]] std::string NoAccessKeys(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '&' ? std::string_view("&&") : std::string_view(&c, 1);
    }
    return escaped;
}

}  // namespace

std::string RecentItemText(std::size_t index, std::string_view path) {
    std::string number = std::to_string(index + 1);
    number.insert(number.size() - 1, 1, '&');
    return number + ' ' + NoAccessKeys(path);
}

std::vector<NamedItem> NamedMenuItems(const TForm1& form) {
    const std::optional<std::int64_t> place =
        form.State.PalLength > 0 ? std::optional<std::int64_t>(form.State.PalAddress) : std::nullopt;
    std::vector<NamedItem> items;
    for (NamedPalette& named : NearestNames(form.Names().Names(), place, NamesInMenu)) {
        std::string text = NoAccessKeys(named.title) + '\t' + AddressText(named.address) + ", " +
                           std::to_string(named.length);
        items.push_back({std::move(text), std::move(named)});
    }
    return items;
}

}  // namespace tintorb
