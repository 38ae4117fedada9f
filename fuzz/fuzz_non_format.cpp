// Fuzz target: the .non puzzle reader on arbitrary bytes.
#include "fuzz_puzzle_formats.h"

#include "formats/non_format.h"

#include <cstdint>
#include <string_view>

using namespace zumeli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    solver::Puzzle puzzle;
    if (!fuzz::readsOrRefuses<PuzzleFormatError>("parseNonText", [&] { puzzle = parseNonText(text); }))
        return 0;
    fuzz::checkReadPuzzle(
        puzzle, [](const solver::Puzzle& p) { return nonText(p); },
        [](const std::string& t) { return parseNonText(t); });
    return 0;
}
