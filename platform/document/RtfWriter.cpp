#include "qvc/document/RtfWriter.h"

#include <map>
#include <ostream>
#include <tuple>

#include "RtfEscape.h"
#include "qvc/document/SpareParagraphs.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/WritableFileStream.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;

namespace {

constexpr const char* kEol = "\r\n";

struct RgbLess {
    bool operator()(const Rgb& a, const Rgb& b) const {
        return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
    }
};

// Above this many buffered characters the text goes on to the file, so a
// document with many pictures never sits in memory as one long string.
constexpr size_t kSpillAt = 256 * 1024;

// Writes one document. Fonts and colours are gathered first, because their
// tables come before the text. With a sink the text is passed on in pieces as
// it is made; without one build() returns it whole.
class RtfBuilder {
  public:
    explicit RtfBuilder(const Document& doc, std::ostream* sink = nullptr)
        : doc_(doc), sink_(sink) {
        fonts_["Arial"] = 0;
        fontOrder_.push_back("Arial");
        colour(Rgb{});
        for (const Section& s : doc.sections()) {
            gather(s.header);
            gather(s.footer);
            gather(s.body);
        }
    }

    std::string build() {
        out_.reserve(sink_ != nullptr ? kSpillAt + 64 * 1024 : 64 * 1024);
        out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deflang1033";
        out_ += kEol;
        fontTable();
        colourTable();
        infoGroup();
        const PageSetup& first = doc_.sections().front().page;
        out_ += "\\paperw" + std::to_string(first.pageWidthTwips) + "\\paperh" +
                std::to_string(first.pageHeightTwips) + "\\margl" +
                std::to_string(first.marginLeft) + "\\margr" + std::to_string(first.marginRight) +
                "\\margt" + std::to_string(first.marginTop) + "\\margb" +
                std::to_string(first.marginBottom) + "\\viewkind1\\widowctrl";
        out_ += kEol;
        bool hadHeader = false;
        bool hadFooter = false;
        for (size_t i = 0; i < doc_.sections().size(); ++i) {
            section(doc_.sections()[i], i == 0, hadHeader, hadFooter);
        }
        out_ += "}";
        out_ += kEol;
        if (sink_ != nullptr) {
            sink_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
            out_.clear();
        }
        return std::move(out_);
    }

  private:
    // Passes the buffered text on to the sink once there is enough of it.
    void spill() {
        if (sink_ != nullptr && out_.size() >= kSpillAt) {
            sink_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
            out_.clear();
        }
    }

    void gather(const std::vector<Block>& blocks) {
        for (const Block& b : blocks) {
            if (const auto* p = std::get_if<Paragraph>(&b)) {
                gather(*p);
            } else if (const auto* t = std::get_if<TableModel>(&b)) {
                for (const TableRowModel& r : t->rows) {
                    for (const TableCellModel& c : r.cells) {
                        if (c.shading) {
                            colour(*c.shading);
                        }
                        for (const Paragraph& cp : c.paragraphs) {
                            gather(cp);
                        }
                    }
                }
            }
        }
    }

    void gather(const Paragraph& p) {
        font(p.endFormat.font);
        colour(p.endFormat.colour);
        for (const Run& r : p.runs) {
            font(r.format.font);
            colour(r.format.colour);
        }
    }

    int font(const std::string& name) {
        auto [it, added] = fonts_.emplace(name, static_cast<int>(fonts_.size()));
        if (added) {
            fontOrder_.push_back(name);
        }
        return it->second;
    }

    int colour(const Rgb& c) {
        auto [it, added] = colours_.emplace(c, static_cast<int>(colours_.size()) + 1);
        if (added) {
            colourOrder_.push_back(c);
        }
        return it->second;
    }

    void fontTable() {
        out_ += "{\\fonttbl";
        for (size_t i = 0; i < fontOrder_.size(); ++i) {
            const std::string& name = fontOrder_[i];
            const char* family = name == "Courier New" ? "\\fmodern" : "\\fswiss";
            out_ += "{\\f" + std::to_string(i) + family + "\\fcharset0 ";
            detail::appendRtfText(out_, name);
            out_ += ";}";
        }
        out_ += "}";
        out_ += kEol;
    }

    void colourTable() {
        out_ += "{\\colortbl;";
        for (const Rgb& c : colourOrder_) {
            out_ += "\\red" + std::to_string(c.r) + "\\green" + std::to_string(c.g) + "\\blue" +
                    std::to_string(c.b) + ";";
        }
        out_ += "}";
        out_ += kEol;
    }

    void infoGroup() {
        const DocumentInfo& info = doc_.info();
        out_ += "{\\info";
        auto item = [&](const char* word, const std::string& text) {
            if (!text.empty()) {
                out_ += "{\\";
                out_ += word;
                out_ += ' ';
                detail::appendRtfText(out_, text);
                out_ += '}';
            }
        };
        item("title", info.title);
        item("author", info.author);
        item("subject", info.subject);
        item("keywords", info.keywords);
        item("doccomm", info.comment);
        out_ += "}";
        out_ += kEol;
    }

    void section(const Section& s, bool first, bool& hadHeader, bool& hadFooter) {
        const PageSetup& p = s.page;
        if (!first) {
            out_ += "\\sect";
        }
        out_ += "\\sectd\\sbkpage";
        if (p.orientation == Orientation::Landscape) {
            out_ += "\\lndscpsxn";
        }
        out_ += "\\pgwsxn" + std::to_string(p.pageWidthTwips) + "\\pghsxn" +
                std::to_string(p.pageHeightTwips) + "\\marglsxn" + std::to_string(p.marginLeft) +
                "\\margrsxn" + std::to_string(p.marginRight) + "\\margtsxn" +
                std::to_string(p.marginTop) + "\\margbsxn" + std::to_string(p.marginBottom) +
                "\\headery" + std::to_string(p.headerDistance) + "\\footery" +
                std::to_string(p.footerDistance);
        out_ += kEol;
        // A section without its own header would inherit the previous one, so
        // every section after one with a header writes its own (maybe empty).
        if (!s.header.empty() || hadHeader) {
            out_ += "{\\header";
            headerBlocks(s.header);
            out_ += "}";
            out_ += kEol;
            hadHeader = true;
        }
        if (!s.footer.empty() || hadFooter) {
            out_ += "{\\footer";
            headerBlocks(s.footer);
            out_ += "}";
            out_ += kEol;
            hadFooter = true;
        }
        blocks(s.body, spareParagraphs(s.body));
    }

    void headerBlocks(const std::vector<Block>& list) {
        if (list.empty()) {
            out_ += "\\pard\\plain\\f0\\fs2\\par";
            return;
        }
        blocks(list);
    }

    // `skip` marks the body's empty paragraphs that would only carry a page
    // break onto a page of their own.
    void blocks(const std::vector<Block>& list, const std::vector<bool>& skip = {}) {
        // A break at the end of the list would make an empty last page.
        size_t last = list.size();
        while (last > 0 && std::holds_alternative<PageBreak>(list[last - 1])) {
            --last;
        }
        bool breakPending = false;
        for (size_t i = 0; i < last; ++i) {
            const Block& b = list[i];
            if (i < skip.size() && skip[i]) {
                continue;
            }
            if (std::holds_alternative<PageBreak>(b)) {
                breakPending = true;
            } else if (const auto* p = std::get_if<Paragraph>(&b)) {
                paragraph(*p, false, breakPending);
                breakPending = false;
            } else if (const auto* t = std::get_if<TableModel>(&b)) {
                if (breakPending) {
                    out_ += "\\pard\\plain\\f0\\fs2\\page\\par";
                    out_ += kEol;
                    breakPending = false;
                }
                table(*t);
            }
            spill();
        }
    }

    void charFormat(const CharFormat& f) {
        out_ += "\\f" + std::to_string(fonts_.at(f.font)) + "\\fs" + std::to_string(f.halfPoints);
        if (f.bold) {
            out_ += "\\b";
        }
        if (f.italic) {
            out_ += "\\i";
        }
        if (f.underline) {
            out_ += "\\ul";
        }
        out_ += "\\cf" + std::to_string(colours_.at(f.colour));
    }

    void paragraphProps(const Paragraph& p, bool inTable, bool pageBreakBefore) {
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
            out_ += "\\sl" + std::to_string(p.lineSpacingPercent * 240 / 100) + "\\slmult1";
        }
        if (p.spaceAfterTwips > 0) {
            out_ += "\\sa" + std::to_string(p.spaceAfterTwips);
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
            out_ += "\\tx" + std::to_string(t.positionTwips);
        }
    }

    void paragraph(const Paragraph& p, bool inTable, bool pageBreakBefore) {
        paragraphProps(p, inTable, pageBreakBefore);
        for (const Run& r : p.runs) {
            run(r);
        }
        charFormat(p.endFormat);
        out_ += inTable ? " " : "\\par";
        if (!inTable) {
            out_ += kEol;
        }
    }

    void run(const Run& r) {
        out_ += '{';
        charFormat(r.format);
        switch (r.kind) {
            case Run::Kind::Text:
                out_ += ' ';
                detail::appendRtfText(out_, r.text);
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

    void picture(const Picture& pic) {
        static const char kHex[] = "0123456789abcdef";
        out_ += "{\\pict\\pngblip\\picw" + std::to_string(pic.pixelWidth) + "\\pich" +
                std::to_string(pic.pixelHeight) + "\\picwgoal" + std::to_string(pic.widthTwips) +
                "\\pichgoal" + std::to_string(pic.heightTwips);
        out_ += kEol;
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

    void table(const TableModel& t) {
        for (const TableRowModel& row : t.rows) {
            int32_t pad = row.paddingLeftRightTwips;
            int32_t padTb = row.paddingTopBottomTwips;
            // The left border lies at trleft minus the gap: trleft = gap puts it on
            // the margin, so the table lines up with the text above it.
            out_ += "\\trowd\\trgaph" + std::to_string(pad) + "\\trleft" + std::to_string(pad) +
                    "\\trpaddl" + std::to_string(pad) + "\\trpaddr" + std::to_string(pad) +
                    "\\trpaddt" + std::to_string(padTb) + "\\trpaddb" + std::to_string(padTb) +
                    "\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3";
            if (row.header) {
                out_ += "\\trhdr";
            }
            if (t.rowsUnbroken) {
                out_ += "\\trkeep";
            }
            if (row.keepWithNext) {
                out_ += "\\trkeepfollow";
            }
            if (row.minHeightTwips > 0) {
                out_ += "\\trrh" + std::to_string(row.minHeightTwips);
            }
            out_ += kEol;
            int32_t x = 0;
            std::string border = "\\brdrs\\brdrw" + std::to_string(t.borderTwips);
            for (const TableCellModel& c : row.cells) {
                x += c.widthTwips;
                switch (c.valign) {
                    case VAlign::Top:
                        out_ += "\\clvertalt";
                        break;
                    case VAlign::Centre:
                        out_ += "\\clvertalc";
                        break;
                    case VAlign::Bottom:
                        out_ += "\\clvertalb";
                        break;
                }
                if (t.borderTwips > 0) {
                    out_ += "\\clbrdrt" + border + "\\clbrdrl" + border + "\\clbrdrb" + border +
                            "\\clbrdrr" + border;
                }
                if (c.shading) {
                    out_ += "\\clcbpat" + std::to_string(colours_.at(*c.shading));
                }
                out_ += "\\cellx" + std::to_string(x);
            }
            out_ += kEol;
            for (const TableCellModel& c : row.cells) {
                for (size_t i = 0; i < c.paragraphs.size(); ++i) {
                    // Readers keep a row with the next one when every
                    // paragraph in it is kept with the next.
                    Paragraph p = c.paragraphs[i];
                    p.keepWithNext = p.keepWithNext || row.keepWithNext;
                    paragraph(p, true, false);
                    if (i + 1 < c.paragraphs.size()) {
                        out_ += "\\par";
                    }
                }
                out_ += "\\cell";
                out_ += kEol;
            }
            out_ += "\\row";
            out_ += kEol;
            spill();
        }
        out_ += "\\pard\\plain\\f0\\fs20";
        out_ += kEol;
    }

    const Document& doc_;
    std::ostream* sink_;
    std::string out_;
    std::map<std::string, int> fonts_;
    std::vector<std::string> fontOrder_;
    std::map<Rgb, int, RgbLess> colours_;
    std::vector<Rgb> colourOrder_;
};

}  // namespace

std::string toRtf(const Document& doc) {
    return RtfBuilder(doc).build();
}

bool writeRtfFile(const Document& doc, const std::filesystem::path& file) {
    return rt::writeFileAtomically(rt::Env::Default(), file, [&](rt::WritableFile& out) {
        rt::WritableFileStream stream(out);
        RtfBuilder(doc, &stream).build();
        stream.finish();
    });
}

}  // namespace qvc::doc
