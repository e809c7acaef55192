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
// A whole number of lines: 16 KB of text.
constexpr size_t kPictureBytesPerPiece = 128 * kPictureBytesPerLine;

// Appends `bytes` PNG bytes as hexadecimal digits, a line end after every 64th.
void appendHexLines(std::string& out, const uint8_t* in, size_t bytes) {
    const size_t start = out.size();
    out.resize(start + bytes * 2 + (bytes / kPictureBytesPerLine + 1) * 2);
    char* o = out.data() + start;
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
    out.resize(static_cast<size_t>(o - out.data()));
}

}  // namespace

// The PNG bytes as hexadecimal digits, 64 bytes to a line. With a sink they go
// out in pieces of whole lines, so the text buffer stays within what it holds
// already instead of growing (and being cleared) by twice the picture's size.
void RtfBuilder::picture(const Picture& pic) {
    append("{{\\pict\\pngblip\\picw{}\\pich{}\\picwgoal{}\\pichgoal{}", pic.pixelWidth,
           pic.pixelHeight, pic.widthTwips, pic.heightTwips);
    out_ += kRtfEol;
    spill();
    const size_t bytes = pic.png.size();
    const size_t piece = sink_ != nullptr ? kPictureBytesPerPiece : bytes;
    for (size_t done = 0; done < bytes; done += piece) {
        appendHexLines(out_, pic.png.data() + done, std::min(piece, bytes - done));
        spill();
    }
    out_ += '}';
}

}  // namespace qvc::doc::detail
