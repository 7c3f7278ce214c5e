#pragma once
// JPEG decoding with libjpeg into 32-bit BGRA rows (alpha 255).
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvex::tk {

struct JpegHeader {
    int Width = 0;
    int Height = 0;
};

// Reads the size; false (with the decoder's message) when the data are not a JPEG.
bool ReadJpegHeader(const void* data, std::size_t size, JpegHeader& header, std::string& error);

// Decodes into `pixels`, `stride` bytes per row, top-down; the buffer holds
// Height rows of Width × 4 bytes. False (with the message) on a decoding error.
bool DecodeJpegBgra(const void* data, std::size_t size, std::uint8_t* pixels, std::size_t stride, std::string& error);

}  // namespace quorvex::tk
