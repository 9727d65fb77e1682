// Arbitrary bytes as a quote or lyric list file, taken in as the editors take it
// (up to the first zero byte, line breaks made CR LF for the edit control) and
// then walked through by the status engine. The editor must show exactly the
// file's lines, and publishing in sequence must hand them out in file order.

#include "app/ListFile.h"
#include "app/StatusEngine.h"
#include "framework/Classes.h"
#include "framework/LineBreaks.h"
#include "tests/fuzz/FuzzStatusSources.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;
using fuzztest::TFuzzSources;

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// The text as the edit control holds it: each line followed by CR LF, except
// that a text without a final break gets none.
std::string JoinedLines(const std::vector<std::string>& lines, bool finalBreak) {
    std::string joined;
    for (const std::string& line : lines) joined += line + "\r\n";
    if (!finalBreak && !joined.empty()) joined.resize(joined.size() - 2);
    return joined;
}

void CheckText(std::string_view bytes, const std::string& text) {
    const std::size_t zero = bytes.find('\0');
    Require(text.size() == (zero == std::string_view::npos ? bytes.size() : zero));
    Require(bytes.substr(0, text.size()) == text);
}

void CheckNormalized(const std::string& text, const std::string& normalized, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) Require(std::none_of(line.begin(), line.end(), IsBreak));
    Require(SplitLines(normalized) == lines);
    Require(normalized == JoinedLines(lines, !text.empty() && IsBreak(text.back())));
    Require(NormalizeLineBreaks(normalized) == normalized);
}

// Each update sees a new song, so that each picks the next line; past the end
// the list starts again.
void CheckSequence(const std::vector<std::string>& lines) {
    TFuzzSources sources;
    sources.Quotes = lines;
    TStatusEngineState state;
    const std::size_t updates = std::min<std::size_t>(lines.size() + 2, 8);
    for (std::size_t update = 0; update < updates; ++update) {
        sources.Title = "Song " + std::to_string(update) + " - Player";
        const auto text = ExpandStatus(state, "<%QUOTE%>", sources);
        Require(text.has_value());
        const std::string expected = lines.empty() ? std::string() : lines[update % lines.size()];
        Require(*text == "<" + expected + ">");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = ListFileText(bytes);
    CheckText(bytes, text);
    const std::string normalized = NormalizeLineBreaks(text);
    const std::vector<std::string> lines = SplitLines(text);
    CheckNormalized(text, normalized, lines);
    CheckSequence(lines);
    return 0;
}
