// The operations that put content into the active document: text runs,
// label/value lines on a right tab, fields, line and page breaks, pictures,
// and the ends of paragraphs and table blocks.

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "Convert.h"
#include "DocumentEditor.h"
#include "Png.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;
using namespace detail;

namespace {

void addTabStop(Paragraph& p, TabStop stop) {
    auto it = std::lower_bound(
        p.tabs.begin(), p.tabs.end(), stop,
        [](const TabStop& a, const TabStop& b) { return a.positionTwips < b.positionTwips; });
    if (it != p.tabs.end() && it->positionTwips == stop.positionTwips) {
        *it = stop;
    } else {
        p.tabs.insert(it, stop);
    }
}

bool endsWithTab(const Paragraph& p) {
    return !p.runs.empty() && p.runs.back().kind == Run::Kind::Tab;
}

void append(Paragraph& p, std::vector<Run>&& runs) {
    for (Run& r : runs) {
        p.runs.push_back(std::move(r));
    }
}

Rgb colourOf(int32_t colour, std::optional<int32_t> alt = std::nullopt) {
    auto c = rgbFromLong(colour);
    if (!c && alt) {
        c = rgbFromLong(*alt);
    }
    return c.value_or(Rgb{});
}

}  // namespace

void DocumentObject::AddText(std::string_view text, std::optional<float> size,
                             std::optional<int32_t> altColour, int16_t code,
                             std::optional<float> spacing, int32_t style, int32_t colour,
                             bool endsParagraph) {
    DocumentEditor& ed = activeEditor();
    if (code < 0 || code > 7) {
        throw Error(err::kInvalidProcedureCall, fmt::format("Unknown text code {}", code));
    }
    CharFormat f = ed.format();
    if (size && *size != 0.0f) {
        f.halfPoints = pointsToHalfPoints(*size);
    }
    f.bold = (code & code::kTextBold) != 0;
    f.italic = (code & code::kTextItalic) != 0;
    f.underline = (code & code::kTextUnderline) != 0;
    f.colour = colourOf(colour, altColour);
    std::optional<HAlign> align;
    if (style != code::kAlignKeep) {
        align = alignFromCode(style);
    }
    if (spacing && !(*spacing == 0.0f || (*spacing >= 0.5f && *spacing <= 5.0f))) {
        throw Error(err::kInvalidProcedureCall, "Line spacing must be between 0.5 and 5 lines");
    }

    Paragraph& p = ed.openParagraph();
    if (p.runs.empty()) {
        if (align) {
            p.align = *align;
        }
        p.endFormat = f;
    } else if (align && *align != HAlign::Left) {
        int32_t width = ed.page().textWidth();
        bool right = *align == HAlign::Right;
        addTabStop(p, TabStop{right ? width : width / 2,
                              right ? TabStop::Kind::Right : TabStop::Kind::Centre});
        p.runs.push_back(Run{Run::Kind::Tab, {}, f, nullptr});
    }
    if (spacing && *spacing != 0.0f) {
        p.lineSpacingPercent = static_cast<int32_t>(std::lround(*spacing * 100.0f));
    }
    append(p, textRuns(text, f));
    if (endsParagraph) {
        ed.closeParagraph();
    }
}

void DocumentObject::AddLabelValue(std::string_view text, std::string_view text2, bool valueFlag,
                                   int16_t /*unused1*/, int16_t /*unused2*/, double tabInches,
                                   std::optional<float> size, std::optional<float> size2,
                                   int16_t /*unused3*/, int32_t colour, bool endsParagraph) {
    DocumentEditor& ed = activeEditor();
    CharFormat f1 = ed.format();
    f1.bold = f1.italic = f1.underline = false;
    f1.colour = colourOf(colour);
    if (size && *size != 0.0f) {
        f1.halfPoints = pointsToHalfPoints(*size);
    }
    CharFormat f2 = f1;
    if (size2 && *size2 != 0.0f) {
        f2.halfPoints = pointsToHalfPoints(*size2);
    }
    bool hasValue = !text2.empty() || valueFlag;
    int32_t tab = 0;
    if (hasValue) {
        tab = inchesToTwips(tabInches);
        if (tab <= 0) {
            throw Error(err::kInvalidProcedureCall, "A tab position must be positive");
        }
    }
    Paragraph& p = ed.openParagraph();
    if (p.runs.empty()) {
        p.endFormat = f1;
    }
    auto placeValue = [&](std::string_view value, const CharFormat& f) {
        if (!endsWithTab(p)) {
            p.runs.push_back(Run{Run::Kind::Tab, {}, f, nullptr});
        }
        addTabStop(p, TabStop{tab, TabStop::Kind::Right});
        append(p, textRuns(value, f));
    };
    if (!text2.empty()) {
        append(p, textRuns(text, f1));
        placeValue(text2, f2);
    } else if (valueFlag) {
        placeValue(text, f1);
    } else {
        append(p, textRuns(text, f1));
    }
    if (endsParagraph) {
        ed.closeParagraph();
    }
}

void DocumentObject::NewLine(int32_t count) {
    if (count < 0) {
        throw Error(err::kInvalidProcedureCall, "NewLine needs a count of 0 or more");
    }
    DocumentEditor& ed = activeEditor();
    if (count > 0 && ed.hasOpenParagraph()) {
        ed.closeParagraph();
        --count;
    }
    for (int32_t i = 0; i < count; ++i) {
        ed.addEmptyParagraph();
    }
}

void DocumentObject::InsertField(int32_t fieldCode, int16_t /*format*/) {
    DocumentEditor& ed = activeEditor();
    Run::Kind kind;
    switch (fieldCode) {
        case code::kFieldPageNumber:
            kind = Run::Kind::PageNumber;
            break;
        case code::kFieldPageCount:
            kind = Run::Kind::PageCount;
            break;
        case code::kFieldSeparator:
            kind = Run::Kind::Text;
            break;
        default:
            throw Error(err::kInvalidProcedureCall,
                        fmt::format("Unknown field code {}", fieldCode));
    }
    Paragraph& p = ed.openParagraph();
    CharFormat f = p.runs.empty() ? ed.format() : p.runs.back().format;
    if (kind == Run::Kind::Text && !p.runs.empty() && p.runs.back().kind == Run::Kind::Text) {
        p.runs.back().text += ' ';
    } else {
        p.runs.push_back(Run{kind, kind == Run::Kind::Text ? " " : "", f, nullptr});
    }
}

void DocumentObject::InsertPicture(const std::vector<uint8_t>& png, double widthPt,
                                   double heightPt) {
    DocumentEditor& ed = activeEditor();
    auto px = pngSize(png);
    if (!px) {
        throw Error(err::kInvalidProcedureCall, "The picture is not a PNG image");
    }
    if (!std::isfinite(widthPt) || !std::isfinite(heightPt) || widthPt <= 0 || heightPt <= 0 ||
        widthPt > 5000 || heightPt > 5000) {
        throw Error(err::kInvalidProcedureCall, "A picture size must be positive");
    }
    const PageSetup& page = ed.page();
    double w = widthPt * kTwipsPerPoint;
    double h = heightPt * kTwipsPerPoint;
    double maxW = page.textWidth();
    double maxH = page.pageHeightTwips - page.marginTop - page.marginBottom - 2 * kTwipsPerInch;
    double scale = std::min({1.0, maxW / w, maxH / h});
    auto pic = std::make_shared<Picture>();
    pic->png = png;
    pic->pixelWidth = px->first;
    pic->pixelHeight = px->second;
    pic->widthTwips = static_cast<int32_t>(std::lround(w * scale));
    pic->heightTwips = static_cast<int32_t>(std::lround(h * scale));
    Paragraph& p = ed.openParagraph(HAlign::Centre);
    p.runs.push_back(Run{Run::Kind::Picture, {}, ed.format(), std::move(pic)});
}

void DocumentObject::SetTextFlags(int32_t flag, bool on) {
    if (flag == 0 || (flag & ~(code::kFlagEndBlock | code::kFlagKeepTables)) != 0) {
        throw Error(err::kInvalidProcedureCall, fmt::format("Unknown text flag {}", flag));
    }
    if (on) {
        flags_ |= flag;
    } else {
        flags_ &= ~flag;
    }
    if (on && (flag & code::kFlagEndBlock) != 0) {
        activeEditor().closeParagraph();
        flags_ &= ~code::kFlagEndBlock;
    }
}

void DocumentObject::EndTableBlock() {
    activeEditor().closeParagraph();
}

void DocumentObject::InsertBreak(int16_t kind) {
    DocumentEditor& ed = activeEditor();
    if (kind == code::kBreakPage) {
        ed.addBlock(PageBreak{});
    } else if (kind == code::kBreakLine) {
        Paragraph& p = ed.openParagraph();
        CharFormat f = p.runs.empty() ? ed.format() : p.runs.back().format;
        p.runs.push_back(Run{Run::Kind::LineBreak, {}, f, nullptr});
    } else {
        throw Error(err::kInvalidProcedureCall, fmt::format("Unknown break kind {}", kind));
    }
}

}  // namespace qvc::doc
