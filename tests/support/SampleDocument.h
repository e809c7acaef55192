#pragma once
// Documents built through the reports' calls with every construct they use.

#include <cstdint>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"

namespace qvc::test {

inline const std::string kSampleTitle = "Life-Cycle {Summary} \\ Report";
// « ¬ € é, two CJK characters and a character beyond U+FFFF.
inline const std::string kSampleNonAscii =
    "\xC2\xAB \xC2\xAC \xE2\x82\xAC \xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9D\x84\x9E";

// Charts rendered once: 0-2 bars (235 x 185 pt), 3 a 26-year cash flow (440 x 300 pt).
const std::vector<uint8_t>& sampleChart(int which);

// The page header (title, two label lines) and footer ("... Page {PAGE} of {NUMPAGES}").
void writeSampleFrame(doc::DocumentObject& docs, const std::string& title, bool landscape);

// Opens, fills and writes a document in `folder`; returns its index.
int32_t buildSampleDocument(doc::DocumentObject& docs, const std::string& folder,
                            const std::string& fileName);

// A one-page document: the page frame titled `fileName` and one paragraph `text`.
int32_t buildShortDocument(doc::DocumentObject& docs, const std::string& folder,
                           const std::string& fileName, const std::string& text);

}  // namespace qvc::test
