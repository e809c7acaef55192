#include "PngDecode.h"

#include <cairo.h>

#include <algorithm>

namespace qvc::test {

namespace {

struct Reader {
    const std::vector<uint8_t>* data;
    size_t pos = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* out, unsigned int length) {
    auto* r = static_cast<Reader*>(closure);
    if (r->pos + length > r->data->size()) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::copy_n(r->data->begin() + static_cast<long>(r->pos), length, out);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

DecodedPng decodePng(const std::vector<uint8_t>& png) {
    Reader r{&png};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readBytes, &r);
    DecodedPng d;
    d.ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (d.ok) {
        d.width = cairo_image_surface_get_width(s);
        d.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < d.height; ++y) {
            const auto* row =
                reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < d.width; ++x) {
                d.rgb.push_back(row[x] & 0xFFFFFFu);
            }
        }
    }
    cairo_surface_destroy(s);
    return d;
}

}  // namespace qvc::test
