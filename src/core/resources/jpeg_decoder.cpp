#include "core/resources/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <new>

namespace tindrel {
namespace {

// libjpeg's standard error manager, with its fatal-error exit turned into a jump back to
// the decoder instead of exit().
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jump_back(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

// The standard manager prints warnings and trace messages to stderr; a damaged picture is
// reported by the result alone.
void stay_silent(j_common_ptr) {}

bool give_up(jpeg_decompress_struct* cinfo, const ErrorTrap& trap, long* warnings) {
    *warnings = trap.manager.num_warnings;
    jpeg_destroy_decompress(cinfo);
    return false;
}

// Holds no C++ object with a destructor: the jump from libjpeg lands back in this frame
// and must skip nothing. `out` belongs to the caller.
bool decode_into(const uint8_t* data, std::size_t size, Picture* out, long* warnings) {
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jump_back;
    trap.manager.output_message = stay_silent;
    if (setjmp(trap.jump) != 0) {
        return give_up(&cinfo, trap, warnings);
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));

    // A stream that ends before its first frame header (JPEG_HEADER_TABLES_ONLY) holds no
    // image.
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        return give_up(&cinfo, trap, warnings);
    }
    if (cinfo.jpeg_color_space == JCS_GRAYSCALE) {
        cinfo.out_color_space = JCS_RGB;
    }
    const std::int64_t pixels = std::int64_t{cinfo.image_width} * cinfo.image_height;
    if (pixels > max_picture_pixels) {
        return give_up(&cinfo, trap, warnings);
    }
    jpeg_start_decompress(&cinfo);
    // A four-component (CMYK) picture would come out with four; only RGB fits the bitmap.
    if (cinfo.output_components != 3) {
        return give_up(&cinfo, trap, warnings);
    }

    out->width = static_cast<int>(cinfo.output_width);
    out->height = static_cast<int>(cinfo.output_height);
    out->stride = (std::size_t{cinfo.output_width} * 3 + 3) & ~std::size_t{3};
    try {
        out->pixels.assign(out->stride * cinfo.output_height, 0);
    } catch (const std::bad_alloc&) {
        return give_up(&cinfo, trap, warnings);
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->pixels.data() + cinfo.output_scanline * out->stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    *warnings = trap.manager.num_warnings;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

std::optional<Picture> decode_jpeg(std::span<const uint8_t> bytes, long* warnings) {
    long count = 0;
    if (warnings != nullptr) {
        *warnings = 0;
    }
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        return std::nullopt;
    }
    std::optional<Picture> picture(std::in_place);
    const bool decoded = decode_into(bytes.data(), bytes.size(), &*picture, &count);
    if (warnings != nullptr) {
        *warnings = count;
    }
    if (!decoded) {
        return std::nullopt;
    }
    return picture;
}

} // namespace tindrel
