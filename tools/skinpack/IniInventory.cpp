#include "tools/skinpack/IniInventory.h"

#include "skin/data/TextTrim.h"
#include "skin/data/WinSkinIni.h"

namespace velloran {

TIniInventory::TIniInventory(std::string_view text) {
    for (const std::string_view line : MeaningfulIniLines(text)) {
        if (IsIniSectionHeader(line)) {
            firstSection_.try_emplace(std::string(line.substr(1, line.size() - 2)), sections_.size());
            sections_.push_back({std::string(line), false, {}, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        TLine entry{std::string(line), {}, equals != std::string_view::npos, false};
        if (entry.HasEquals) entry.Key = std::string(TrimBlanks(line.substr(0, equals)));
        if (sections_.empty()) {
            preamble_.push_back(std::move(entry));
            continue;
        }
        TSection& section = sections_.back();
        if (entry.HasEquals) section.FirstKeyLine.try_emplace(entry.Key, section.Lines.size());
        section.Lines.push_back(std::move(entry));
    }
}

void TIniInventory::MarkRead(std::string_view section, std::string_view key) {
    const auto found = firstSection_.find(section);
    if (found == firstSection_.end()) return;
    TSection& read = sections_[found->second];
    read.LookedUp = true;
    const auto line = read.FirstKeyLine.find(key);
    if (line != read.FirstKeyLine.end()) read.Lines[line->second].Read = true;
}

std::vector<std::string> TIniInventory::Ignored() const {
    std::vector<std::string> ignored;
    for (const TLine& line : preamble_) ignored.push_back(line.Text + "  (outside any section)");

    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const TSection& section = sections_[s];
        if (!section.LookedUp) {
            const std::string_view inner = std::string_view(section.Header).substr(1, section.Header.size() - 2);
            const bool repeated = firstSection_.find(inner)->second != s;
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
            } else if (section.FirstKeyLine.find(line.Key)->second != k) {
                reason = "repeats an earlier key; only the first is read";
            }
            ignored.push_back(section.Header + " " + line.Text + "  (" + reason + ")");
        }
    }
    return ignored;
}

}  // namespace velloran
