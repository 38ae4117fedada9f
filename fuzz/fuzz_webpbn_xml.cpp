// Fuzz target: the webpbn XML puzzle reader on arbitrary bytes.
#include "fuzz_puzzle_formats.h"

#include "formats/webpbn_xml.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace zumeli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    looksLikeXml(text);
    solver::Puzzle puzzle;
    if (!fuzz::readsOrRefuses<PuzzleFormatError>("parseWebpbnXml", [&] { puzzle = parseWebpbnXml(text); }))
        return 0;
    fuzz::checkReadPuzzle(
        puzzle, [](const solver::Puzzle& p) { return webpbnXmlText(p); },
        [](const std::string& t) { return parseWebpbnXml(t); });
    // The properties come back too, and a second save writes the same document.
    const std::string written = webpbnXmlText(puzzle);
    const solver::Puzzle again = parseWebpbnXml(written);
    fuzz::check(again.title == puzzle.title && again.author == puzzle.author
                    && again.copyright == puzzle.copyright && again.catalogue == puzzle.catalogue,
                "a written puzzle keeps its properties");
    fuzz::check(webpbnXmlText(again) == written, "saving a reloaded puzzle writes the same document");
    return 0;
}
