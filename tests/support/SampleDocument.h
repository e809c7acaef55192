#pragma once
// Report documents built through the same calls the reports make, for the
// document library's and the viewer's tests. The sample has every construct the
// reports use: a page frame with live page fields, general information lines, a
// shaded table with its caption, three bar charts, a description box, a failure
// note, page breaks, a 42-row table that runs onto a further page, a landscape
// section with a wide table and a cash-flow chart, and non-ASCII text.

#include <cstdint>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"

namespace qvc::test {

inline const std::string kSampleTitle = "Life-Cycle {Summary} \\ Report";
// « ¬ € é, two CJK characters and a character beyond U+FFFF.
inline const std::string kSampleNonAscii =
    "\xC2\xAB \xC2\xAC \xE2\x82\xAC \xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9D\x84\x9E";

// A plain RGB PNG of the given size filled with one colour and a dark frame.
std::vector<uint8_t> samplePng(int width, int height, uint8_t r, uint8_t g, uint8_t b);

// Charts as the reports draw them (rendered once, then the same bytes):
// 0 first cost, 1 annual operating cost, 2 total present worth (235 x 185 pt
// bars of three cases in 130,130,255), 3 a 26-year cash-flow stacked chart
// (440 x 300 pt; investment 130,130,255, operating cost 151,6,46).
const std::vector<uint8_t>& sampleChart(int which);

// Writes the page header (title, two label lines) and the footer
// ("QV Components v 17.0 <tab> Page {PAGE} of {NUMPAGES}") as the report frame does.
void writeSampleFrame(doc::DocumentObject& docs, const std::string& title, bool landscape);

// Opens a document in `folder`, fills it and writes it; returns its index.
// With `pictures` false no pictures are inserted.
int32_t buildSampleDocument(doc::DocumentObject& docs, const std::string& folder,
                            const std::string& fileName, bool pictures = true);

// A one-page document: the page frame titled `fileName` and one paragraph `text`.
int32_t buildShortDocument(doc::DocumentObject& docs, const std::string& folder,
                           const std::string& fileName, const std::string& text);

}  // namespace qvc::test
