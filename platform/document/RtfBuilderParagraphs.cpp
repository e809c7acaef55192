// Paragraphs, runs and pictures of the RTF builder.

#include "RtfBuilder.h"
#include "RtfEscape.h"

namespace qvc::doc::detail {

void RtfBuilder::charFormat(const CharFormat& f) {
    append("\\f{}\\fs{}", fonts_.at(f.font), f.halfPoints);
    if (f.bold) {
        out_ += "\\b";
    }
    if (f.italic) {
        out_ += "\\i";
    }
    if (f.underline) {
        out_ += "\\ul";
    }
    append("\\cf{}", colours_.at(f.colour));
}

void RtfBuilder::paragraphProps(const Paragraph& p, bool inTable, bool pageBreakBefore) {
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
    if (p.keepWithNext) {
        out_ += "\\keepn";
    }
    if (p.lineSpacingPercent != 100) {
        append("\\sl{}\\slmult1", p.lineSpacingPercent * 240 / 100);
    }
    if (p.spaceAfterTwips > 0) {
        append("\\sa{}", p.spaceAfterTwips);
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
        append("\\tx{}", t.positionTwips);
    }
}

void RtfBuilder::paragraph(const Paragraph& p, bool inTable, bool pageBreakBefore) {
    paragraphProps(p, inTable, pageBreakBefore);
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

// The PNG bytes as hexadecimal digits, 64 bytes to a line.
void RtfBuilder::picture(const Picture& pic) {
    static const char kHex[] = "0123456789abcdef";
    append("{{\\pict\\pngblip\\picw{}\\pich{}\\picwgoal{}\\pichgoal{}", pic.pixelWidth,
           pic.pixelHeight, pic.widthTwips, pic.heightTwips);
    out_ += kRtfEol;
    spill();
    size_t start = out_.size();
    out_.resize(start + pic.png.size() * 2 + (pic.png.size() / 64 + 1) * 2);
    char* o = out_.data() + start;
    for (size_t i = 0; i < pic.png.size(); ++i) {
        *o++ = kHex[pic.png[i] >> 4];
        *o++ = kHex[pic.png[i] & 0xF];
        if (i % 64 == 63) {
            *o++ = '\r';
            *o++ = '\n';
        }
    }
    out_.resize(static_cast<size_t>(o - out_.data()));
    out_ += '}';
}

}  // namespace qvc::doc::detail
