// The PNG encoder and its compressor are lossless (read back by cairo and zlib) and compress.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ChartSamples.h"
#include "PngEncoder.h"
#include "ScanlineDeflate.h"

using qvc::graph::detail::encodePng;

namespace {

// Signature, IHDR, the one IDAT chunk's length, type and CRC, IEND.
constexpr size_t kPngOverhead = 8 + 25 + 12 + 12;

// Pixels 0x00RRGGBB in rows of `width` words and `padding` more.
struct Picture {
    int width, height, padding;
    std::vector<uint32_t> words;
    Picture(int w, int h, int pad)
        : width(w), height(h), padding(pad), words(size_t(w + pad) * h, 0xA5A5A5A5u) {}
    uint32_t& at(int x, int y) { return words[size_t(y) * (width + padding) + x]; }
    // The top byte of a pixel means nothing to the encoder: it gets junk.
    void fill(int x0, int y0, int x1, int y1, uint32_t rgb) {
        for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
                at(x, y) = 0x5A000000u | rgb;
    }
    std::vector<uint32_t> rgb() {
        std::vector<uint32_t> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.push_back(at(x, y) & 0xFFFFFFu);
        return out;
    }
    // Encodes a copy (the encoder overwrites its input); cairo must read the pixels back.
    std::vector<uint8_t> encodeAndCheck(const std::string& name) {
        std::vector<uint32_t> work = words;
        const std::vector<uint8_t> png = encodePng(reinterpret_cast<unsigned char*>(work.data()),
                                                   width, height, (width + padding) * 4);
        const qvc::test::DecodedPng back = qvc::test::decodePng(png);
        EXPECT_TRUE(back.ok && back.width == width && back.height == height) << name;
        EXPECT_TRUE(back.rgb == rgb()) << name << ": cairo reads other pixels";
        return png;
    }
};

std::vector<uint8_t> inflate(const uint8_t* zlibData, size_t size, size_t expected) {
    std::vector<uint8_t> out(expected + 1);
    uLongf got = out.size();
    if (uncompress(out.data(), &got, zlibData, size) != Z_OK || got != expected)
        return {};
    out.resize(got);
    return out;
}

// Bars, gridlines and patches of noise like text on white; of a random size unless given.
Picture randomChart(unsigned seed, int width = 0, int height = 0) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Picture p(width > 0 ? width : 1 + pick(700), height > 0 ? height : 1 + pick(500), pick(3));
    p.fill(0, 0, p.width, p.height, 0xFFFFFF);
    for (int shapes = 5 + pick(30); shapes > 0; --shapes) {
        const int x = pick(p.width), y = pick(p.height), kind = pick(4);
        const uint32_t colour = random() & 0xFFFFFFu;
        if (kind == 0) {
            p.fill(x, y, x + pick(100), y + pick(200), colour);  // bar
        } else if (kind == 1) {
            p.fill(0, y, p.width, y + 1, colour);  // gridline
        } else if (kind == 2) {
            p.fill(x, 0, x + 1, p.height, colour);  // axis
        } else {                                    // text-like noise
            for (int dy = 0; dy < 12; ++dy)
                for (int dx = 0; dx < 40; ++dx)
                    p.fill(x + dx, y + dy, x + dx + 1, y + dy + 1, random() & 0xFFFFFFu);
        }
    }
    return p;
}

}  // namespace

// Empty, one byte, no distance codes or one, stored blocks, rows beyond the window, repeats.
TEST(ScanlineDeflate, InflatesToItsInputAtTheEdges) {
    std::mt19937 random(7);
    auto bytes = [&](size_t n, auto value) {
        std::vector<uint8_t> v(n);
        for (size_t i = 0; i < n; ++i)
            v[i] = static_cast<uint8_t>(value(i));
        return v;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> data;
        size_t rowBytes;
        double maxRatio;  // compressed size over input size, plus 64 bytes
    } cases[] = {
        {"empty", {}, 10, 0},
        {"one byte", {42}, 10, 1},
        {"zeros", bytes(1 << 20, [](size_t) { return 0; }), 3001, 0.01},
        {"noise", bytes(300000, [&](size_t) { return random(); }), 3001, 1.001},
        {"rows beyond the window",
         bytes(200000, [&](size_t i) { return i % 40000 < 20000 ? (i * 7) % 256 : random(); }),
         40000, 1.001},
        {"repeated rows",
         bytes(400000, [&](size_t i) { return (i % 3001) * (i % 3001) / 7 % 256; }), 3001, 0.05},
        {"only the row above repeats", bytes(10000, [](size_t i) { return i % 250; }), 250, 0.05},
        {"pixel pattern", bytes(50000, [](size_t i) { return "\x10\x80\x02"[i % 3]; }), 50000,
         0.02},
        // Glyph-like 48-byte blocks of 11 kinds at no fixed distance: only hashing finds them.
        {"repeated glyphs",
         bytes(48000,
               [](size_t i) {
                   return (i / 48 * (i / 48) % 11 * 2654435761u + i % 48 * 40503u) >> 9;
               }),
         48000, 0.021},
    };
    qvc::graph::detail::ScanlineDeflate deflate;
    for (const auto& c : cases) {
        std::vector<uint8_t> z = {0xEE};  // appends after what is there
        deflate.compress(c.data.data(), c.data.size(), c.rowBytes, z);
        ASSERT_GE(z.size(), 7u) << c.name;
        EXPECT_EQ(z[0], 0xEE) << c.name;
        EXPECT_TRUE(inflate(z.data() + 1, z.size() - 1, c.data.size()) == c.data) << c.name;
        EXPECT_LE(static_cast<double>(z.size() - 1), c.maxRatio * c.data.size() + 64) << c.name;
    }
}

// Edge sizes, rows beyond the window, random charts, row padding: never much above stored.
TEST(PngEncoder, PicturesDecodeToTheirPixels) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 700}, {701, 1}, {11000, 3}, {1222, 1650}};
    std::vector<std::pair<std::string, Picture>> pictures;
    for (const auto& [w, h] : sizes)
        pictures.emplace_back(std::to_string(w) + " x " + std::to_string(h), randomChart(w, w, h));
    for (unsigned seed = 1; seed <= 12; ++seed)
        pictures.emplace_back("random chart " + std::to_string(seed), randomChart(seed));
    for (auto& [name, picture] : pictures) {
        const size_t raw = (1 + 3 * static_cast<size_t>(picture.width)) * picture.height;
        EXPECT_LE(picture.encodeAndCheck(name).size(), raw + raw / 1000 + 64 + kPngOverhead)
            << name;
    }
    Picture flat(1000, 800, 2);
    flat.fill(0, 0, 1000, 800, 0x3366CC);
    EXPECT_LT(flat.encodeAndCheck("one colour").size(), 5000u);

    std::vector<unsigned char> bytes(400, 0);
    EXPECT_ANY_THROW(encodePng(nullptr, 10, 10, 40));
    EXPECT_ANY_THROW(encodePng(bytes.data(), 10, 10, 39));  // a row longer than the stride
}
