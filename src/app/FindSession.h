// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the Find Palettes tool window does, without the window: the scan or colour search under way, its
// progress and cancellation, the rows it found, and the status line. The work runs on a job its host
// starts: a thread of its own in the window, at once in the tests. The host polls the session while it is
// busy and shows what it holds.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/FindRows.h"
#include "finder/ColourSearch.h"
#include "finder/PaletteScan.h"

namespace tintorb {

class TForm1;

// What a job found: the hits of a scan or of a search, whichever it ran.
struct FinderResult {
    ScanResult scan;
    SearchResult search;
};

// One scan or search, working on its own copy of the file's bytes.
class FindJob {
  public:
    using Work =
        std::function<FinderResult(std::span<const std::uint8_t> bytes, const FindProgress& progress)>;

    virtual ~FindJob() = default;
    // Asks the work to stop at its next progress report; it may still take a moment to end.
    virtual void Stop() = 0;
    [[nodiscard]] virtual bool Finished() const = 0;
    // How much is done, from 0 to 1.
    [[nodiscard]] virtual double Done() const = 0;
    // The result, once Finished(); the job keeps none of it after.
    [[nodiscard]] virtual FinderResult Take() = 0;
};

using StartFindJob =
    std::function<std::unique_ptr<FindJob>(std::vector<std::uint8_t> bytes, FindJob::Work work)>;

class FindSession {
  public:
    FindSession(const TForm1& form, StartFindJob start) : form_(form), start_(std::move(start)) {}

    // Scans the file for runs of at least minRun valid colour words.
    void Scan(int minRun);
    // The tool window opened: it scans when nothing is listed yet and no work is under way. Returns whether
    // it started to.
    bool Open(int minRun) {
        const bool scan = !listed_ && !Busy();
        if (scan) {
            Scan(minRun);
        }
        return scan;
    }
    // Searches the file for the colours of query.
    void Search(std::vector<ColourWord> query);
    // Lists every named palette; no work needed.
    void ListNames();
    // Stops the work under way, if any; the status line says status.
    void Stop(std::string status = {});
    // Another document: the results and any work under way go.
    void Clear();
    // The names changed: listed rows show the new ones.
    void ShowNames();
    // The file's bytes changed: the rows are rated and listed anew, so that they and their strips show them.
    void FileChanged();
    // Takes the result of work that has ended, and lets go of stopped work once it has ended.
    void Poll();

    // Whether work is under way, and how much of it is done, from 0 to 1.
    [[nodiscard]] bool Busy() const { return job_ != nullptr; }
    [[nodiscard]] double Done() const;
    // Whether any work, stopped or not, has yet to end: the host polls until none has.
    [[nodiscard]] bool Working() const { return job_ != nullptr || !stopping_.empty(); }
    // Whether the rows hold the results of the last work (or the names), rather than nothing yet.
    [[nodiscard]] bool Listed() const { return listed_; }
    [[nodiscard]] const std::vector<FindRow>& Rows() const { return rows_; }
    // Whether the rows rate a search's matches rather than a scan's scores.
    [[nodiscard]] bool RowsSearched() const { return rowsSearched_; }
    // Counts each time the rows are listed anew, so that a host can tell whether to show them again.
    [[nodiscard]] std::size_t RowsVersion() const { return rowsVersion_; }
    [[nodiscard]] const std::string& Status() const { return status_; }
    // Whether the minimum length plays a part in what is listed (it does not in a search).
    [[nodiscard]] bool MinimumApplies() const { return minimumApplies_; }

  private:
    enum class Listing { Scan, Search, Names };

    void Start(std::string doing, FindJob::Work work);
    void SetRows(std::vector<FindRow> rows, bool searched);
    void ListRows();
    [[nodiscard]] std::string StatusText(std::size_t count) const;

    const TForm1& form_;
    StartFindJob start_;
    std::unique_ptr<FindJob> job_;
    // Work that was stopped but has not ended yet: let go of once it has, so that no one waits for it.
    std::vector<std::unique_ptr<FindJob>> stopping_;
    // What the rows list: the last scan's hits, the last search's, or the named palettes.
    Listing listing_ = Listing::Scan;
    bool listed_ = false;
    std::size_t queryLength_ = 0;
    FinderResult result_;
    std::vector<FindRow> rows_;
    bool rowsSearched_ = false;
    std::size_t rowsVersion_ = 0;
    std::string status_;
    bool minimumApplies_ = true;
};

}  // namespace tintorb
