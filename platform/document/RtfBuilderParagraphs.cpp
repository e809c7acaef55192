// Paragraphs, runs and pictures of the RTF builder.

#include "RtfBuilder.h"
#include "RtfEscape.h"

#include <algorithm>
#include <cstring>

namespace qvc::doc::detail {

void RtfBuilder::charFormat(const CharFormat& f) {
    word("\\f", fonts_.at(f.font));
    word("\\fs", f.halfPoints);
    if (f.bold) {
        out_ += "\\b";
    }
    if (f.italic) {
        out_ += "\\i";
    }
    if (f.underline) {
        out_ += "\\ul";
    }
    word("\\cf", colours_.at(f.colour));
}

void RtfBuilder::paragraphProps(const Paragraph& p, bool inTable, bool pageBreakBefore,
                                bool keepWithNext) {
    out_ += "\\pard\\plain";
    if (inTable) {
        out_ += "\\intbl";
    }
    switch (p.align) {
        case HAlign::Left:
            out_ += "\\ql";
            break;
        case HAlign::Centre:
            out_ += "\\qc";
            break;
        case HAlign::Right:
            out_ += "\\qr";
            break;
    }
    if (pageBreakBefore) {
        out_ += "\\pagebb";
    }
    if (p.keepWithNext || keepWithNext) {
        out_ += "\\keepn";
    }
    if (p.lineSpacingPercent != 100) {
        word("\\sl", p.lineSpacingPercent * 240 / 100);
        out_ += "\\slmult1";
    }
    if (p.spaceAfterTwips > 0) {
        word("\\sa", p.spaceAfterTwips);
    }
    if (p.ruleBelow) {
        out_ += "\\brdrb\\brdrs\\brdrw10\\brsp40";
    }
    if (p.ruleAbove) {
        out_ += "\\brdrt\\brdrs\\brdrw10\\brsp40";
    }
    for (const TabStop& t : p.tabs) {
        if (t.kind == TabStop::Kind::Right) {
            out_ += "\\tqr";
        } else if (t.kind == TabStop::Kind::Centre) {
            out_ += "\\tqc";
        }
        word("\\tx", t.positionTwips);
    }
}

void RtfBuilder::paragraph(const Paragraph& p, bool inTable, bool pageBreakBefore,
                           bool keepWithNext) {
    paragraphProps(p, inTable, pageBreakBefore, keepWithNext);
    for (const Run& r : p.runs) {
        run(r);
    }
    charFormat(p.endFormat);
    out_ += inTable ? " " : "\\par";
    if (!inTable) {
        out_ += kRtfEol;
    }
}

void RtfBuilder::run(const Run& r) {
    out_ += '{';
    charFormat(r.format);
    switch (r.kind) {
        case Run::Kind::Text:
            out_ += ' ';
            appendRtfText(out_, r.text);
            break;
        case Run::Kind::Tab:
            out_ += "\\tab";
            break;
        case Run::Kind::LineBreak:
            out_ += "\\line";
            break;
        case Run::Kind::PageNumber:
            out_ += "{\\field{\\*\\fldinst PAGE }{\\fldrslt 1}}";
            break;
        case Run::Kind::PageCount:
            out_ += "{\\field{\\*\\fldinst NUMPAGES }{\\fldrslt 1}}";
            break;
        case Run::Kind::Picture:
            picture(*r.picture);
            break;
    }
    out_ += '}';
}

namespace {

// The two lower-case hexadecimal digits of every byte value.
struct HexPairs {
    char digits[256][2];
    constexpr HexPairs() : digits() {
        constexpr char kHex[] = "0123456789abcdef";
        for (int b = 0; b < 256; ++b) {
            digits[b][0] = kHex[b >> 4];
            digits[b][1] = kHex[b & 0xF];
        }
    }
};
constexpr HexPairs kHexPairs;

constexpr size_t kPictureBytesPerLine = 64;

}  // namespace

// The PNG bytes as hexadecimal digits, 64 bytes to a line.
void RtfBuilder::picture(const Picture& pic) {
    append("{{\\pict\\pngblip\\picw{}\\pich{}\\picwgoal{}\\pichgoal{}", pic.pixelWidth,
           pic.pixelHeight, pic.widthTwips, pic.heightTwips);
    out_ += kRtfEol;
    spill();
    const size_t bytes = pic.png.size();
    const size_t start = out_.size();
    out_.resize(start + bytes * 2 + (bytes / kPictureBytesPerLine + 1) * 2);
    char* o = out_.data() + start;
    const uint8_t* in = pic.png.data();
    for (size_t done = 0; done < bytes;) {
        const size_t line = std::min(kPictureBytesPerLine, bytes - done);
        for (size_t i = 0; i < line; ++i, o += 2) {
            std::memcpy(o, kHexPairs.digits[in[done + i]], 2);
        }
        done += line;
        if (line == kPictureBytesPerLine) {
            *o++ = '\r';
            *o++ = '\n';
        }
    }
    out_.resize(static_cast<size_t>(o - out_.data()));
    out_ += '}';
}

}  // namespace qvc::doc::detail
