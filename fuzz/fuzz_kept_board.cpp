// Fuzz target: the kept board reader on arbitrary bytes, as the next start reads a keep file
// that a crash, a full disk or another program may have left.
#include "fuzz_checks.h"

#include "board/layout.h"
#include "board/number_text.h"
#include "formats/kept_board.h"

#include <cstdint>
#include <string_view>

using namespace zumeli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    KeptBoard kept;
    if (!fuzz::readsOrRefuses<FileFormatError>("parseKeptBoard", [&] { kept = parseKeptBoard(text); }))
        return 0;

    fuzz::checkBoardShape(kept.model);
    const auto zoom = parseDecimal(kept.zoom);
    fuzz::check(zoom && *zoom >= kMinZoom && *zoom <= kMaxZoom, "the zoom is one the box accepts");

    // What is restored is kept again exactly.
    KeptBoard again;
    fuzz::check(fuzz::readsOrRefuses<FileFormatError>("parseKeptBoard",
                                                      [&] { again = parseKeptBoard(keptBoardText(kept)); }),
                "a restored board can be kept again");
    fuzz::check(again == kept, "keeping a restored board keeps it unchanged");
    return 0;
}
