// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// View > Tiles as a panel: the window's fields, the user's actions handed to the tiles session, and what the
// session holds written back into the fields.

#include "app/Panel.h"

namespace tintorb {

class TilesSession;

class TilesPanel : public PanelSession {
  public:
    // The fields, in the order of the description's.
    enum Field {
        Codec,
        Start,
        Columns,
        Order,
        Line,
        Zoom,
        Area,
        Bar,
        LegendStrip,
        Transparent,
        Hover,
        Export,
        Status
    };

    explicit TilesPanel(TilesSession& session);

    [[nodiscard]] const PanelDescription& Description() const override { return description_; }
    void Fire(PanelControls& panel, const PanelEvent& event) override;
    void Present(PanelControls& panel) override;
    void Closed(PanelControls& panel) override;
    [[nodiscard]] const Surface* Pixels(int field) const override;
    [[nodiscard]] PixelBox PixelsBox(int field) const override;
    bool DrawPixels(int field, Surface& target, PixelBox box) const override;
    [[nodiscard]] std::optional<DirtyRegion> TakeChangedPixels(int field) const override;
    [[nodiscard]] std::vector<LegendEntry> Legend(int field) const override;

  private:
    void FireArea(const PanelEvent& event);

    TilesSession& session_;
    PanelDescription description_;
};

}  // namespace tintorb
