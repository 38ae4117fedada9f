// Fuzz target: the picture file reader on arbitrary bytes.
#include "fuzz_checks.h"

#include "formats/picture_text.h"

#include <cstdint>
#include <string_view>

using namespace zumeli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    solver::CellGrid picture;
    if (!fuzz::readsOrRefuses<PuzzleFormatError>("parsePictureText", [&] { picture = parsePictureText(text); }))
        return 0;
    fuzz::check(picture.width >= 1 && picture.width <= kMaxPictureSide, "picture width out of range");
    fuzz::check(picture.height >= 1 && picture.height <= kMaxPictureSide, "picture height out of range");
    for (const solver::Cell c : picture.cells)
        fuzz::check(c == solver::Cell::Filled || c == solver::Cell::Empty, "picture cell neither filled nor empty");
    fuzz::check(parsePictureText(pictureText(picture)) == picture, "picture does not read back as written");
    return 0;
}
