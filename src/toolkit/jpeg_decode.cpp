#include "toolkit/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace quorvex::tk {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the decoding function. Nothing with a destructor lives in
// the frames it jumps over.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void SilentOutput(j_common_ptr) {}

bool Run(const void* data, std::size_t size, bool decode, JpegHeader* header, std::uint8_t* pixels, std::size_t stride,
         char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = &ErrorExit;
    err.pub.output_message = &SilentOutput;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        std::strncpy(message, err.message, JMSG_LENGTH_MAX - 1);
        message[JMSG_LENGTH_MAX - 1] = '\0';
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (header) {
        header->Width = static_cast<int>(cinfo.image_width);
        header->Height = static_cast<int>(cinfo.image_height);
    }
    if (decode) {
        cinfo.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels + static_cast<std::size_t>(cinfo.output_scanline) * stride;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
    }
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

bool ReadJpegHeader(const void* data, std::size_t size, JpegHeader& header, std::string& error) {
    char message[JMSG_LENGTH_MAX] = {};
    if (!data || size == 0) {
        error = "Empty JPEG data";
        return false;
    }
    if (!Run(data, size, false, &header, nullptr, 0, message)) {
        error = message;
        return false;
    }
    return true;
}

bool DecodeJpegBgra(const void* data, std::size_t size, std::uint8_t* pixels, std::size_t stride, std::string& error) {
    char message[JMSG_LENGTH_MAX] = {};
    if (!data || size == 0) {
        error = "Empty JPEG data";
        return false;
    }
    if (!Run(data, size, true, nullptr, pixels, stride, message)) {
        error = message;
        return false;
    }
    return true;
}

}  // namespace quorvex::tk
