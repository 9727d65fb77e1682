#include "tests/bench/ProjectCorpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace velloran::test {

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Files below root with the extension, in a fixed order so that runs compare.
std::vector<std::vector<uint8_t>> FilesBelow(const fs::path& root, const std::string& extension) {
    std::vector<fs::path> paths;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::vector<uint8_t>> files;
    for (const fs::path& path : paths) files.push_back(ReadFile(path));
    return files;
}

std::vector<std::vector<uint8_t>> Pieces(const std::vector<uint8_t>& bytes, std::size_t pieceSize) {
    std::vector<std::vector<uint8_t>> pieces;
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize) {
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(at);
        pieces.emplace_back(first, first + static_cast<std::ptrdiff_t>(std::min(pieceSize, bytes.size() - at)));
    }
    return pieces;
}

}  // namespace

std::vector<uint8_t> ProjectCorpus(const std::string& sourceDir, const std::string& executable, std::size_t size) {
    const fs::path root(sourceDir);
    const std::vector<std::vector<std::vector<uint8_t>>> kinds = {
        FilesBelow(root / "resources" / "skins", ".bmp"),
        FilesBelow(root / "skin", ".h"),
        Pieces(ReadFile(executable), 1 << 16),
    };
    for (const auto& kind : kinds) {
        if (kind.empty()) throw std::runtime_error("ProjectCorpus: a kind of data is missing below " + sourceDir);
    }
    std::vector<uint8_t> corpus;
    corpus.reserve(size);
    for (std::size_t turn = 0; corpus.size() < size; ++turn) {
        for (const auto& kind : kinds) {
            const std::vector<uint8_t>& file = kind[turn % kind.size()];
            corpus.insert(corpus.end(), file.begin(),
                          file.begin() + static_cast<std::ptrdiff_t>(std::min(file.size(), size - corpus.size())));
        }
    }
    return corpus;
}

}  // namespace velloran::test
