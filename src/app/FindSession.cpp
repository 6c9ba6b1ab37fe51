// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FindSession.h"

#include "app/Generic.h"
#include "model/NumberText.h"

#include <utility>

namespace tintorb {

void FindSession::Scan(int minRun) {
    listing_ = Listing::Scan;
    Start("Scanning…", [minRun](std::span<const std::uint8_t> bytes, const FindProgress& progress) {
        return FinderResult{ScanPalettes(bytes, minRun, progress), {}};
    });
}

void FindSession::Search(std::vector<ColourWord> query) {
    listing_ = Listing::Search;
    queryLength_ = query.size();
    Start("Searching…",
          [query = std::move(query)](std::span<const std::uint8_t> bytes, const FindProgress& progress) {
              return FinderResult{{}, FindColours(bytes, query, progress)};
          });
}

void FindSession::ListNames() {
    Stop();
    listing_ = Listing::Names;
    minimumApplies_ = true;
    listed_ = true;
    ListRows();
}

void FindSession::Start(std::string doing, FindJob::Work work) {
    // The work before goes first: its results are of another question, or of another file.
    Stop(std::move(doing));
    listed_ = false;
    const bool searched = listing_ == Listing::Search;
    SetRows({}, searched);
    const FileBytes& data = form_.State.FileData;
    job_ = start_(std::vector<std::uint8_t>(data.begin(), data.end()), std::move(work));
    minimumApplies_ = !searched;
}

void FindSession::Stop(std::string status) {
    if (job_) {
        job_->Stop();
        stopping_.push_back(std::move(job_));
    }
    status_ = std::move(status);
}

void FindSession::Clear() {
    Stop();
    listed_ = false;
    result_ = {};
    SetRows({}, false);
}

void FindSession::ShowNames() {
    if (listed_) {
        ListRows();
    }
}

std::vector<std::size_t> FindSession::FileChanged(std::int64_t offset, std::size_t length) {
    std::vector<std::size_t> rerated;
    // A search's rows rate the query's matches, which the search alone works out; their strips follow anyway.
    if (!listed_ || listing_ == Listing::Search) {
        return rerated;
    }
    const FileBytes& bytes = form_.State.FileData;
    const std::int64_t end = offset + static_cast<std::int64_t>(length);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        FindRow& row = rows_[i];
        if (row.address < end && offset < row.address + 2 * std::int64_t{row.length}) {
            row.rating = ScoreText(PaletteScore(WordsAt(bytes, row.address, row.length), row.address));
            rerated.push_back(i);
        }
    }
    return rerated;
}

void FindSession::Poll() {
    std::erase_if(stopping_, [](const std::unique_ptr<FindJob>& job) { return job->Finished(); });
    if (!job_ || !job_->Finished()) {
        return;
    }
    result_ = job_->Take();
    job_.reset();
    Stop();
    listed_ = true;
    ListRows();
}

double FindSession::Done() const {
    return job_ ? job_->Done() : 0;
}

void FindSession::SetRows(std::vector<FindRow> rows, bool searched) {
    rows_ = std::move(rows);
    rowsSearched_ = searched;
    ++rowsVersion_;
}

void FindSession::ListRows() {
    const bool searched = listing_ == Listing::Search;
    const PaletteNames& names = form_.Names();
    const FileBytes& bytes = form_.State.FileData;
    SetRows(listing_ == Listing::Names ? NameRows(names, bytes)
            : searched                 ? SearchRows(result_.search.hits, names)
                                       : ScanRows(result_.scan.hits, names, bytes),
            searched);
    status_ = StatusText(rows_.size());
}

std::string FindSession::StatusText(std::size_t count) const {
    constexpr std::string_view OnlyTheBest = ", only the best shown";
    switch (listing_) {
        case Listing::Names:
            return CountOf(count, "named palette", "named palettes");
        case Listing::Search:
            return CountOf(count, "place found", "places found") + " for " + std::to_string(queryLength_) +
                   " colours" + std::string(result_.search.cut ? OnlyTheBest : "");
        case Listing::Scan:
            break;
    }
    return CountOf(count, "palette found", "palettes found") +
           std::string(result_.scan.cut ? OnlyTheBest : "");
}

}  // namespace tintorb
