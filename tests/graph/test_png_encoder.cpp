// The PNG encoder must be lossless and its files must pass a strict reader
// (cairo's loader checks every chunk's CRC and the zlib stream), for any width,
// row padding and content, also when one thread encodes pictures of different
// sizes one after another and the encoder reuses its buffers.

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "PngEncoder.h"

using qvc::graph::detail::encodePng;

namespace {

struct Image {
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes per row, at least 4 x width
    std::vector<unsigned char> bytes;

    uint32_t& at(int x, int y) {
        return *reinterpret_cast<uint32_t*>(bytes.data() + static_cast<size_t>(y) * stride +
                                            static_cast<size_t>(x) * 4);
    }
};

// Flat bands with a frame, a block of noise, and junk in the row padding and
// in the unused top byte of each pixel, which the encoder must ignore.
Image testImage(int width, int height, int padding, unsigned seed) {
    Image im{width, height, width * 4 + padding, {}};
    im.bytes.assign(static_cast<size_t>(im.stride) * height, 0xA5);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = y < height / 3 ? 0xFFFFFFu : 0x8282FFu;
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1) {
                rgb = 0x000000u;
            } else if (x > width / 2 && y > height / 2) {
                rgb = random() & 0xFFFFFFu;
            }
            im.at(x, y) = 0x7F000000u | rgb;
        }
    }
    return im;
}

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

// Decodes and compares every pixel; returns the number of differing pixels, or
// -1 when the file does not load or has the wrong size.
long differences(const std::vector<uint8_t>& png, Image& expected) {
    Reader r{&png};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readBytes, &r);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_width(s) != expected.width ||
        cairo_image_surface_get_height(s) != expected.height) {
        cairo_surface_destroy(s);
        return -1;
    }
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    long wrong = 0;
    for (int y = 0; y < expected.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < expected.width; ++x) {
            wrong += (row[x] & 0xFFFFFFu) != (expected.at(x, y) & 0xFFFFFFu) ? 1 : 0;
        }
    }
    cairo_surface_destroy(s);
    return wrong;
}

}  // namespace

TEST(PngEncoder, LosslessForAnySizeAndPaddingAndAcrossReuse) {
    const struct {
        int width, height, padding;
    } sizes[] = {{1222, 833, 0}, {1, 1, 0}, {7, 5, 12}, {653, 903, 4}, {3, 700, 0}, {64, 2, 8}};
    unsigned seed = 1;
    for (const auto& size : sizes) {
        Image im = testImage(size.width, size.height, size.padding, seed++);
        const std::vector<uint8_t> png = encodePng(im.bytes.data(), im.width, im.height, im.stride);
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(png[24], 8) << "bit depth";
        EXPECT_EQ(png[25], 2) << "8-bit RGB";
        EXPECT_EQ(differences(png, im), 0) << size.width << " x " << size.height;
    }
}

TEST(PngEncoder, FlatPicturesCompressAndBadArgumentsAreRefused) {
    Image flat{1000, 800, 4000, {}};
    flat.bytes.assign(static_cast<size_t>(flat.stride) * flat.height, 0xFF);
    const std::vector<uint8_t> png =
        encodePng(flat.bytes.data(), flat.width, flat.height, flat.stride);
    EXPECT_LT(png.size(), 20000u);  // 2.4 MB of raw pixels
    EXPECT_EQ(differences(png, flat), 0);

    EXPECT_ANY_THROW(encodePng(nullptr, 10, 10, 40));
    EXPECT_ANY_THROW(encodePng(flat.bytes.data(), 0, 10, 40));
    EXPECT_ANY_THROW(encodePng(flat.bytes.data(), 10, 10, 39));
}
