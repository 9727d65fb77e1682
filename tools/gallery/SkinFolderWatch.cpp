#include "tools/gallery/SkinFolderWatch.h"

#include <algorithm>
#include <system_error>

namespace velloran {

namespace fs = std::filesystem;

TFolderStamp StampFolder(const fs::path& folder) {
    TFolderStamp stamp;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        TFolderFileStamp file{it->path().filename().string(), it->file_size(error), it->last_write_time(error)};
        // A file removed between listing and reading is seen as gone on the next poll.
        if (!error) stamp.push_back(std::move(file));
        error.clear();
    }
    std::sort(stamp.begin(), stamp.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return stamp;
}

// Polled file times rather than FindFirstChangeNotification or ReadDirectoryChangesW: under Wine
// whether those see a write made from the Unix side (the author's editor) depends on the host's
// file system and on how Wine was built, while a poll of a few dozen files ten times a second
// costs nothing and sees every write. The timer also keeps the work on the UI thread, where the
// skin data may be touched.
TSkinFolderWatch::TSkinFolderWatch(fs::path folder, std::function<void()> changed)
    : folder_(std::move(folder)), changed_(std::move(changed)), reported_(StampFolder(folder_)), seen_(reported_) {
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->OnTimer = [this](TObject*) { Poll(); };
    timer_->SetInterval(kPollMs);
    timer_->SetEnabled(true);
}

void TSkinFolderWatch::Poll() {
    TFolderStamp now = StampFolder(folder_);
    if (now != seen_) {
        seen_ = std::move(now);
        unchangedMs_ = 0;
        return;
    }
    if (seen_ == reported_) return;
    unchangedMs_ += kPollMs;
    if (unchangedMs_ < kSettleMs) return;
    reported_ = seen_;
    changed_();
}

}  // namespace velloran
