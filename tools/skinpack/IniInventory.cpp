#include "tools/skinpack/IniInventory.h"

#include "framework/Classes.h"
#include "skin/data/TextTrim.h"
#include "skin/data/WinSkinIni.h"

#include <algorithm>

namespace velloran {

TIniInventory::TIniInventory(std::string_view text) {
    for (const std::string_view line : MeaningfulIniLines(text)) {
        if (IsIniSectionHeader(line)) {
            sections_.push_back({std::string(line), false, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        TLine entry{std::string(line), {}, equals != std::string_view::npos, false};
        if (entry.HasEquals) entry.Key = std::string(TrimBlanks(line.substr(0, equals)));
        (sections_.empty() ? preamble_ : sections_.back().Lines).push_back(std::move(entry));
    }
}

void TIniInventory::MarkRead(std::string_view section, std::string_view key) {
    const std::string header = "[" + std::string(section) + "]";
    const auto found =
        std::ranges::find_if(sections_, [&](const TSection& candidate) { return SameText(candidate.Header, header); });
    if (found == sections_.end()) return;
    found->LookedUp = true;
    const auto line = std::ranges::find_if(
        found->Lines, [&](const TLine& candidate) { return candidate.HasEquals && SameText(candidate.Key, key); });
    if (line != found->Lines.end()) line->Read = true;
}

std::vector<std::string> TIniInventory::Ignored() const {
    std::vector<std::string> ignored;
    for (const TLine& line : preamble_) ignored.push_back(line.Text + "  (outside any section)");

    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const TSection& section = sections_[s];
        if (!section.LookedUp) {
            const bool repeated =
                std::any_of(sections_.begin(), sections_.begin() + static_cast<std::ptrdiff_t>(s),
                            [&](const TSection& earlier) { return SameText(earlier.Header, section.Header); });
            const std::string_view inner = std::string_view(section.Header).substr(1, section.Header.size() - 2);
            std::string reason = "section not read";
            if (repeated)
                reason = "repeats an earlier section of that name; only the first is read";
            else if (TrimBlanks(inner) != inner)
                reason = "blanks inside the brackets keep it from being found";
            ignored.push_back(section.Header + "  (" + reason + ")");
            continue;
        }
        for (std::size_t k = 0; k < section.Lines.size(); ++k) {
            const TLine& line = section.Lines[k];
            if (line.Read) continue;
            std::string reason = "key not read";
            if (!line.HasEquals) {
                reason = "no '=' in the line";
            } else if (std::any_of(section.Lines.begin(), section.Lines.begin() + static_cast<std::ptrdiff_t>(k),
                                   [&](const TLine& earlier) {
                                       return earlier.HasEquals && SameText(earlier.Key, line.Key);
                                   })) {
                reason = "repeats an earlier key; only the first is read";
            }
            ignored.push_back(section.Header + " " + line.Text + "  (" + reason + ")");
        }
    }
    return ignored;
}

}  // namespace velloran
