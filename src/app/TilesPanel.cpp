// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TilesPanel.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/TilesSession.h"
#include "model/EditorState.h"
#include "model/NumberText.h"

namespace tintorb {

namespace {

// The keys the window takes: the arrows step the start a byte, the page keys scroll a page.
constexpr std::array<TilesKey, 4> Keys{TilesKey::Left, TilesKey::Right, TilesKey::PageUp, TilesKey::PageDown};

[[nodiscard]] PanelDescription Describe() {
    std::vector<std::string> codecs;
    for (const TileCodec& codec : TileCodecs()) {
        codecs.emplace_back(codec.name);
    }
    std::vector<std::string> orders;
    for (const auto& order : TileOrders) {
        orders.push_back(TileOrderText(order));
    }
    using enum FieldKind;
    std::vector<PanelField> fields{
        {.kind = Choice, .caption = "&Codec:", .items = std::move(codecs)},
        {.kind = Text, .name = "tileAddress", .caption = "&Start:", .widthOf = "$00000000"},
        {.kind = Number, .caption = "C&olumns:", .low = 1, .high = MaxTileColumns},
        {.kind = Choice, .caption = "&Order:", .items = std::move(orders)},
        {.kind = Number, .caption = "&Line:", .high = MaxPalLength - 1},
        {.kind = Number, .caption = "&Zoom:", .low = 1, .high = MaxTileZoom, .suffix = "\u00D7"},
        {.kind = Pixels, .name = "tileArea", .row = 1, .stretch = 1, .minimumSide = 256},
        {.kind = ScrollBar, .row = 1},
        {.kind = FieldKind::Legend, .row = 2},
        {.kind = Check, .caption = "Index 0 &transparent", .row = 3},
        {.kind = Label, .row = 3, .stretch = 1},
        {.kind = Button, .caption = "&Export Tiles as PNG\u2026", .row = 3},
        {.kind = Label, .name = "status", .row = 4, .wrap = true},
    };
    return {.name = "tiles",
            .title = "Tiles",
            .width = 600,
            .height = 640,
            .fields = std::move(fields),
            .keys = {"Left", "Right", "PgUp", "PgDown"},
            // The tiles take the keys from the start: a list box holding them would take the page keys as
            // choices of its own.
            .focus = TilesPanel::Area};
}

[[nodiscard]] int Capped(std::int64_t n) {
    return static_cast<int>(std::min<std::int64_t>(n, INT32_MAX));
}

}  // namespace

TilesPanel::TilesPanel(TilesSession& session) : session_(session), description_(Describe()) {}

void TilesPanel::Fire(PanelControls&, const PanelEvent& event) {
    const int value = event.value;
    switch (event.field) {
        case Codec:
            if (value >= 0 && value < static_cast<int>(TileCodecs().size())) {
                session_.SetCodec(TileCodecs()[static_cast<std::size_t>(value)].name);
            }
            return;
        case Start:
            (void)session_.SetAddress(event.text);
            return;
        case Columns:
            return session_.SetColumns(value);
        case Order: {
            const auto [width, height] =
                TileOrders[static_cast<std::size_t>(std::clamp<int>(value, 0, TileOrders.size() - 1))];
            return session_.SetOrder(width, height);
        }
        case Line:
            return session_.SetLine(value);
        case Zoom:
            return session_.SetZoom(value);
        case Transparent:
            return session_.SetTransparentZero(value != 0);
        case Bar:
            return session_.ScrollTo(value);
        case Area:
            return FireArea(event);
        case Export:
            return session_.ExportPng();
        default:
            if (event.action == FieldAction::Key && value >= 0 && value < static_cast<int>(Keys.size())) {
                session_.Press(Keys[static_cast<std::size_t>(value)]);
            }
    }
}

void TilesPanel::FireArea(const PanelEvent& event) {
    switch (event.action) {
        case FieldAction::Resized:
            return session_.SetViewport(event.y);
        case FieldAction::PointerMoved:
            return session_.Hover(event.x, event.y);
        case FieldAction::PointerPressed:
            return session_.Click(event.x, event.y);
        case FieldAction::Wheel:
            return session_.Wheel(event.value);
        default:
            return;
    }
}

// The fields as the session holds them; the scroll bar counts rows of tiles.
void TilesPanel::Present(PanelControls& panel) {
    const TilesSettings& s = session_.Settings();
    const auto codec = std::ranges::find(TileCodecs(), s.codec, &TileCodec::name);
    panel.SetValue(Codec, static_cast<int>(codec - TileCodecs().begin()));
    panel.SetText(Start, AddressText(s.start));
    panel.SetValue(Columns, s.layout.columns);
    panel.SetValue(Order, session_.OrderIndex());
    panel.SetValue(Line, s.line);
    panel.SetValue(Zoom, s.zoom);
    panel.SetValue(Transparent, s.transparentZero ? 1 : 0);
    panel.SetRange(Bar, Capped(session_.LastFirstRow()), session_.PageRows());
    panel.SetValue(Bar, Capped(session_.FirstRow()));
    panel.SetText(Hover, session_.HoverText());
    panel.SetText(Status, session_.Status());
    panel.Refresh(Area);
    panel.Refresh(LegendStrip);
}

void TilesPanel::Closed(PanelControls&) {
    session_.Close();
}

const Surface* TilesPanel::Pixels(int) const {
    return &session_.Pixels();
}

PixelBox TilesPanel::PixelsBox(int) const {
    return session_.PixelsBox();
}

bool TilesPanel::DrawPixels(int, Surface& target, PixelBox box) const {
    session_.DrawPixels(target, box);
    return true;
}

std::optional<DirtyRegion> TilesPanel::TakeChangedPixels(int) const {
    return session_.TakeChanged();
}

std::vector<LegendEntry> TilesPanel::Legend(int) const {
    return session_.Legend();
}

}  // namespace tintorb
