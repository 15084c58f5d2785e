#pragma once

#include <string_view>

namespace lmn::maker {

// True unless the bytes are a PNG file one of whose chunks declares more data than the file holds.
// The PNG decoder allocates a chunk's declared length before reading it, so a hundred-byte file can
// ask for gigabytes; such a file cannot decode anyway and is refused before it reaches the decoder.
bool PngChunksFitFile(std::string_view bytes);

}  // namespace lmn::maker
