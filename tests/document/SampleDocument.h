#pragma once
// Builds a report document with every construct the reports use, through the
// same calls they make: page frame with live page fields, general information
// lines, a shaded table with captions, a description box, pictures, a failure
// note, page breaks, a landscape section with a wide table and non-ASCII text.

#include <cstdint>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"

namespace qvc::test {

inline const std::string kSampleTitle = "Life-Cycle {Summary} \\ Report";
inline const std::string kSampleNonAscii =
    "\xC2\xAB \xC2\xAC \xE2\x82\xAC \xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9D\x84\x9E";  // « ¬ € é
                                                                                          // 中文 𝄞

// A plain RGB PNG of the given size filled with one colour and a dark frame.
std::vector<uint8_t> samplePng(int width, int height, uint8_t r, uint8_t g, uint8_t b);

// Charts as the reports draw them (rendered once, then the same bytes):
// 0 first cost, 1 annual operating cost, 2 total present worth (235 x 185 pt
// bars of three cases), 3 a cash-flow stacked chart of 26 years (440 x 300 pt).
const std::vector<uint8_t>& sampleChart(int which);

// Writes the page header and footer as the report frame does.
void writeSampleFrame(doc::DocumentObject& docs, const std::string& title, bool landscape);

// Opens a document in `folder` and fills it; returns its index. With
// `pictures` false no pictures are inserted (for quick tests).
int32_t buildSampleDocument(doc::DocumentObject& docs, const std::string& folder,
                            const std::string& fileName, bool pictures = true);

}  // namespace qvc::test
