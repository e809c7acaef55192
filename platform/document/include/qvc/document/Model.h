#pragma once
// The in-memory model of one report document, read-only for everyone but the
// library. The RTF writer and the viewer both walk it:
//
//   Document -> sections() -> Section { PageSetup, header, footer, body }
//   header, footer and body are lists of Block; a Block is a Paragraph, a
//   TableModel or a PageBreak. A Paragraph holds Runs: text, tab, line break,
//   page-number and page-count fields, and inline pictures.
//
// Lengths are in twips (1440 per inch, 20 per point) so that positions are
// exact integers; font sizes are in half points as in RTF (20 = 10 pt).
// Colours are plain RGB.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>
#include "qvc/document/Export.h"

namespace qvc::doc {

inline constexpr int32_t kTwipsPerInch = 1440;
inline constexpr int32_t kTwipsPerPoint = 20;

struct QVC_DOCUMENT_EXPORT Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };
enum class Orientation { Portrait, Landscape };

struct QVC_DOCUMENT_EXPORT CharFormat {
    std::string font = "Arial";
    int32_t halfPoints = 20;  // 10 pt
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Rgb colour{};  // black
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// A PNG picture as it was inserted. The shown size is fixed by widthTwips and
// heightTwips; the pixel size is read from the PNG itself.
struct QVC_DOCUMENT_EXPORT Picture {
    std::vector<uint8_t> png;
    int32_t pixelWidth = 0;
    int32_t pixelHeight = 0;
    int32_t widthTwips = 0;
    int32_t heightTwips = 0;
};

struct QVC_DOCUMENT_EXPORT Run {
    enum class Kind { Text, Tab, LineBreak, PageNumber, PageCount, Picture };
    Kind kind = Kind::Text;
    std::string text;  // UTF-8, Kind::Text only (never holds tabs or line breaks)
    CharFormat format;
    std::shared_ptr<const Picture> picture;  // Kind::Picture only
};

struct QVC_DOCUMENT_EXPORT TabStop {
    enum class Kind { Left, Centre, Right };
    int32_t positionTwips = 0;  // from the left margin
    Kind kind = Kind::Left;
    friend bool operator==(const TabStop&, const TabStop&) = default;
};

struct QVC_DOCUMENT_EXPORT Paragraph {
    std::vector<Run> runs;
    HAlign align = HAlign::Left;
    std::vector<TabStop> tabs;         // ascending positions
    int32_t lineSpacingPercent = 100;  // 120 = 1.2 lines
    int32_t spaceAfterTwips = 0;
    bool keepWithNext = false;  // keep on the same page as the following block
    bool ruleAbove = false;     // thin line above (first footer paragraph)
    bool ruleBelow = false;     // thin line below (last header paragraph)
    CharFormat endFormat;       // format of the paragraph mark (height of an empty line)
};

struct QVC_DOCUMENT_EXPORT TableCellModel {
    std::vector<Paragraph> paragraphs;  // one per line of the cell's text
    int32_t widthTwips = 0;
    std::optional<Rgb> shading;  // back colour; none = no fill
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
};

struct QVC_DOCUMENT_EXPORT TableRowModel {
    std::vector<TableCellModel> cells;
    bool header = false;         // repeated at the top of each page (Word honours it)
    bool keepWithNext = false;   // on the same page as the row that follows
    int32_t minHeightTwips = 0;  // 0 = as high as the text
    int32_t paddingLeftRightTwips = 0;
    int32_t paddingTopBottomTwips = 0;
};

struct QVC_DOCUMENT_EXPORT TableModel {
    std::vector<TableRowModel> rows;
    int32_t borderTwips = 10;   // 0.5 pt single lines around every cell
    bool rowsUnbroken = false;  // no row is split across a page break
    // Drawn by the viewer above the repeated heading rows on every page the
    // table continues on (RTF has no such thing: readers repeat only rows).
    std::optional<Paragraph> continuedCaption;
};

struct PageBreak {};

using Block = std::variant<Paragraph, TableModel, PageBreak>;

struct QVC_DOCUMENT_EXPORT PageSetup {
    Orientation orientation = Orientation::Portrait;
    int32_t pageWidthTwips = 12240;   // US Letter 8.5 in
    int32_t pageHeightTwips = 15840;  // 11 in
    int32_t marginLeft = 720, marginRight = 720, marginTop = 720, marginBottom = 720;
    int32_t headerDistance = 360;  // page edge to the header text
    int32_t footerDistance = 360;  // page edge to the footer text
    int32_t textWidth() const { return pageWidthTwips - marginLeft - marginRight; }
};

struct QVC_DOCUMENT_EXPORT Section {
    PageSetup page;
    std::vector<Block> header;
    std::vector<Block> footer;
    std::vector<Block> body;
};

struct QVC_DOCUMENT_EXPORT DocumentInfo {
    std::string title;
    std::string author;
    std::string subject;
    std::string keywords;
    std::string comment;
};

}  // namespace qvc::doc
