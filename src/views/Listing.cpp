// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Listing.h"
#include "app/Generic.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tintorb {

void TForm1::WriteListing() {
    const int length = std::max(State.PalLength, 0);
    std::vector<ColourWord> entries;
    entries.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        entries.push_back(State.GetEntry(i));
    }
    const std::vector<std::string> lines = FormatListing(entries);
    controls_.SetLines(Ctl::memoASM, lines);
    controls_.SetFocus(Ctl::memoASM);
    // Every line before the selected entry's is full, so its position follows from row and column alone.
    // A selection outside the palette has no text to highlight: the caret goes to the start.
    if (State.SelStart >= 0 && State.SelStart < length) {
        const int row = State.SelStart / ListingWordsPerLine;
        const int column = State.SelStart % ListingWordsPerLine;
        const int lineStride = ListingFullLineLength + controls_.LineBreakLength(Ctl::memoASM);
        controls_.Select(
            Ctl::memoASM,
            row * lineStride + static_cast<int>(ListingLinePrefix.size()) + ListingEntryStride * column,
            ListingEntryLength);
    } else {
        controls_.Select(Ctl::memoASM, 0, 0);
    }
}

}  // namespace tintorb
