// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the core benchmarks and prints a verdict line for each goal.

#include "goals/Goals.h"
#include "load_bench.h"
#include "names_bench.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    using tintorb::bench::PrintRatioGoal;
    using tintorb::bench::PrintReference;
    const tintorb::bench::Medians medians = tintorb::bench::RunBenchmarks(argc, argv);
    PrintRatioGoal(medians, "FillBox/fill", "FillBoxBrowser", "FillBoxBrowserBaseline", 1.5);
    PrintRatioGoal(medians, "ClearSurface/fill", "ClearSurfaceClient", "ClearSurfaceClientBaseline", 1.5);
    PrintRatioGoal(medians, "DrawBrowser-valid/ClearBrowser", "DrawBrowserValidGrid", "ClearBrowserAlone",
                   1.5);
    PrintRatioGoal(medians, "DrawBrowser-mixed/ClearBrowser", "DrawBrowserMixedGrid", "ClearBrowserAlone",
                   1.5);
    PrintRatioGoal(medians, "DrawBrowser-worst/ClearBrowser", "DrawBrowserAlternatingGrid",
                   "ClearBrowserAlone", 1.5);
    PrintRatioGoal(medians, "RefreshAfterEdit/DrawBrowser", "PaletteLevelClickUnrecorded",
                   "PaletteDrawBrowserReference", 1.2);
    PrintRatioGoal(medians, "LevelClick-recorded/unrecorded", "PaletteLevelClickRecorded",
                   "PaletteLevelClickUnrecorded", 1.1);
    PrintRatioGoal(medians, "UndoRedo/RefreshAfterEdit", "PaletteUndoRedo", "PaletteLevelClickUnrecorded",
                   1.1);
    PrintRatioGoal(medians, "Scan4MiB/count-valid", "ScanPalettes4MiB", "CountValidWords4MiB", 2.0);
    PrintRatioGoal(medians, "FindColours4MiB/count-valid", "FindColours4MiB", "CountValidWords4MiB", 3.0);
    PrintRatioGoal(medians, "CreateBps64MiB/memcmp", "CreateBps64MiB", "Memcmp64MiB", 2.0);
    PrintRatioGoal(medians, "CreateIps64MiB/memcmp", "CreateIps64MiB", "Memcmp64MiB", 2.0);
    PrintRatioGoal(medians, "ApplyBps64MiB/memcpy", "ApplyBps64MiB", "Memcpy64MiB", 2.0);
    PrintRatioGoal(medians, "ApplyIps64MiB/memcpy", "ApplyIps64MiB", "Memcpy64MiB", 2.0);
    PrintRatioGoal(medians, "TileArea32x32-zoom2/fill", "TilesDecodeDrawArea", "TilesFillArea", 1.5);
    PrintRatioGoal(medians, "TilesDecode64MiB/read-every-byte", "TilesDecode64MiB", "ReadEveryByte64MiB",
                   2.0);
    PrintRatioGoal(medians, "Load64MiB/fresh-read", "LoadFileData64MiB", "PlainRead64MiBFreshHugePages", 1.1);
    PrintReference(medians, "Load64MiB/read", "LoadFileData64MiB", "PlainRead64MiB");
    PrintReference(medians, "Load64MiB/read-into-huge-pages", "LoadFileData64MiB", "PlainRead64MiBHugePages");
    tintorb::test::PrintNamesGoal(medians);
    if (const auto peak = tintorb::test::SecondLoadPeakOverImages()) {
        tintorb::bench::PrintGoal("Load64MiB-peak/(old+new)", *peak, 1.1, "x");
    }
    return 0;
}
