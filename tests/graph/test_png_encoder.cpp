// The PNG encoder must be lossless and its files must pass a strict reader
// (cairo's loader checks every chunk's CRC and the zlib stream), for any width,
// row padding and content, also when one thread encodes pictures of different
// sizes one after another and the encoder reuses its buffers.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "PngDecode.h"
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

// The number of pixels that differ after decoding, or -1 when the file does not
// load or has the wrong size.
long differences(const std::vector<uint8_t>& png, Image& expected) {
    const qvc::test::DecodedPng d = qvc::test::decodePng(png);
    if (!d.ok || d.width != expected.width || d.height != expected.height) {
        return -1;
    }
    long wrong = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const uint32_t got = d.rgb[static_cast<size_t>(y) * static_cast<size_t>(d.width) +
                                       static_cast<size_t>(x)];
            wrong += got != (expected.at(x, y) & 0xFFFFFFu) ? 1 : 0;
        }
    }
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
        std::vector<uint8_t> work = im.bytes;  // the encoder overwrites its input
        const std::vector<uint8_t> png = encodePng(work.data(), im.width, im.height, im.stride);
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(png[24], 8) << "bit depth";
        EXPECT_EQ(png[25], 2) << "8-bit RGB";
        EXPECT_EQ(differences(png, im), 0) << size.width << " x " << size.height;
    }
}

TEST(PngEncoder, FlatPicturesCompressAndBadArgumentsAreRefused) {
    Image flat{1000, 800, 4000, {}};
    flat.bytes.assign(static_cast<size_t>(flat.stride) * flat.height, 0xFF);
    std::vector<uint8_t> work = flat.bytes;
    const std::vector<uint8_t> png = encodePng(work.data(), flat.width, flat.height, flat.stride);
    EXPECT_LT(png.size(), 20000u);  // 2.4 MB of raw pixels
    EXPECT_EQ(differences(png, flat), 0);

    EXPECT_ANY_THROW(encodePng(nullptr, 10, 10, 40));
    EXPECT_ANY_THROW(encodePng(flat.bytes.data(), 0, 10, 40));
    EXPECT_ANY_THROW(encodePng(flat.bytes.data(), 10, 10, 39));
}
