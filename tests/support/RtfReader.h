#pragma once
// The reports' RTF as a reader sees it, in UTF-8 (\tab '\t', \line '\n', a field "{PAGE}");
// a malformed file raises runtime_error.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qvc::test {

struct RtfColour {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const RtfColour&, const RtfColour&) = default;
};

struct RtfPicture {
    std::vector<uint8_t> data;
};

struct RtfParagraph {
    std::string text;
    char align = 'l';  // l, c, r, j
    bool anyBold = false;
    std::vector<RtfColour> colours;          // used by its text (distinct)
    std::vector<std::string> fields;         // instructions, in order
    std::vector<std::pair<char, int>> tabs;  // (kind l/c/r, twips)
    std::vector<RtfPicture> pictures;
    bool pageBreakBefore = false;  // \pagebb or a \page before its text
    bool keepWithNext = false;
};

struct RtfCell {
    std::string text;
    int rightEdge = 0;  // \cellx
    bool bold = false;
    char align = 'l';
    int halfPoints = 0;
    std::vector<RtfPicture> pictures;
};

struct RtfRow {
    std::vector<RtfCell> cells;
    bool header = false;              // \trhdr
    std::vector<int> widths() const;  // differences of the cell edges
};

struct RtfTable {
    std::vector<RtfRow> rows;
};

using RtfBlock = std::variant<RtfParagraph, RtfTable>;

struct RtfSection {
    bool landscape = false;
    int pageWidth = 12240, pageHeight = 15840, marginLeft = 1800, marginRight = 1800;
    std::vector<RtfParagraph> header, footer;
    std::vector<RtfBlock> body;
};

struct RtfDocument {
    std::vector<RtfColour> colours;  // colour table, index 0 = auto
    std::vector<RtfSection> sections;
    int pageBreaks = 0;

    std::vector<const RtfTable*> tables() const;
    std::vector<const RtfParagraph*> paragraphs() const;  // body paragraphs
    std::vector<const RtfPicture*> pictures() const;      // in body paragraphs and cells
    std::string bodyText() const;                         // paragraphs and cells joined with '\n'
};

RtfDocument readRtf(std::string_view rtf);
RtfDocument readRtfFile(const std::filesystem::path& file);

}  // namespace qvc::test
