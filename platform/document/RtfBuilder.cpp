#include "RtfBuilder.h"

#include "RtfEscape.h"
#include "qvc/document/SpareParagraphs.h"

namespace qvc::doc::detail {

namespace {

// Above this many buffered characters the text goes on to the file, so a
// document with many pictures never sits in memory as one long string. A small
// buffer is also reused from one document to the next by the allocator, where
// a large one would be fresh pages (page faults) for every document.
constexpr size_t kSpillAt = 32 * 1024;

}  // namespace

RtfBuilder::RtfBuilder(const Document& doc, std::ostream* sink) : doc_(doc), sink_(sink) {
    fonts_["Arial"] = 0;
    fontOrder_.push_back("Arial");
    colour(Rgb{});
    for (const Section& s : doc.sections()) {
        gather(s.header);
        gather(s.footer);
        gather(s.body);
    }
}

std::string RtfBuilder::build() {
    out_.reserve(sink_ != nullptr ? kSpillAt + 32 * 1024 : 64 * 1024);
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deflang1033";
    out_ += kRtfEol;
    fontTable();
    colourTable();
    infoGroup();
    const PageSetup& first = doc_.sections().front().page;
    append("\\paperw{}\\paperh{}\\margl{}\\margr{}\\margt{}\\margb{}\\viewkind1\\widowctrl",
           first.pageWidthTwips, first.pageHeightTwips, first.marginLeft, first.marginRight,
           first.marginTop, first.marginBottom);
    out_ += kRtfEol;
    bool hadHeader = false;
    bool hadFooter = false;
    for (size_t i = 0; i < doc_.sections().size(); ++i) {
        section(doc_.sections()[i], i == 0, hadHeader, hadFooter);
    }
    out_ += "}";
    out_ += kRtfEol;
    if (sink_ != nullptr) {
        sink_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
        out_.clear();
    }
    return std::move(out_);
}

// Passes the buffered text on to the sink once there is enough of it.
void RtfBuilder::spill() {
    if (sink_ != nullptr && out_.size() >= kSpillAt) {
        sink_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
        out_.clear();
    }
}

void RtfBuilder::gather(const std::vector<Block>& blocks) {
    for (const Block& b : blocks) {
        if (const auto* p = std::get_if<Paragraph>(&b)) {
            gather(*p);
            continue;
        }
        const auto* t = std::get_if<TableModel>(&b);
        if (t == nullptr) {
            continue;
        }
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

void RtfBuilder::gather(const Paragraph& p) {
    font(p.endFormat.font);
    colour(p.endFormat.colour);
    for (const Run& r : p.runs) {
        font(r.format.font);
        colour(r.format.colour);
    }
}

int RtfBuilder::font(const std::string& name) {
    auto [it, added] = fonts_.emplace(name, static_cast<int>(fonts_.size()));
    if (added) {
        fontOrder_.push_back(name);
    }
    return it->second;
}

int RtfBuilder::colour(const Rgb& c) {
    auto [it, added] = colours_.emplace(c, static_cast<int>(colours_.size()) + 1);
    if (added) {
        colourOrder_.push_back(c);
    }
    return it->second;
}

void RtfBuilder::fontTable() {
    out_ += "{\\fonttbl";
    for (size_t i = 0; i < fontOrder_.size(); ++i) {
        const std::string& name = fontOrder_[i];
        const char* family = name == "Courier New" ? "\\fmodern" : "\\fswiss";
        append("{{\\f{}{}\\fcharset0 ", i, family);
        appendRtfText(out_, name);
        out_ += ";}";
    }
    out_ += "}";
    out_ += kRtfEol;
}

void RtfBuilder::colourTable() {
    out_ += "{\\colortbl;";
    for (const Rgb& c : colourOrder_) {
        append("\\red{}\\green{}\\blue{};", c.r, c.g, c.b);
    }
    out_ += "}";
    out_ += kRtfEol;
}

void RtfBuilder::infoGroup() {
    const DocumentInfo& info = doc_.info();
    out_ += "{\\info";
    auto item = [&](const char* word, const std::string& text) {
        if (!text.empty()) {
            out_ += "{\\";
            out_ += word;
            out_ += ' ';
            appendRtfText(out_, text);
            out_ += '}';
        }
    };
    item("title", info.title);
    item("author", info.author);
    item("subject", info.subject);
    item("keywords", info.keywords);
    item("doccomm", info.comment);
    out_ += "}";
    out_ += kRtfEol;
}

void RtfBuilder::section(const Section& s, bool first, bool& hadHeader, bool& hadFooter) {
    const PageSetup& p = s.page;
    if (!first) {
        out_ += "\\sect";
    }
    out_ += "\\sectd\\sbkpage";
    if (p.orientation == Orientation::Landscape) {
        out_ += "\\lndscpsxn";
    }
    append(
        "\\pgwsxn{}\\pghsxn{}\\marglsxn{}\\margrsxn{}\\margtsxn{}\\margbsxn{}\\headery{}"
        "\\footery{}",
        p.pageWidthTwips, p.pageHeightTwips, p.marginLeft, p.marginRight, p.marginTop,
        p.marginBottom, p.headerDistance, p.footerDistance);
    out_ += kRtfEol;
    // A section without its own header would inherit the previous one, so
    // every section after one with a header writes its own (maybe empty).
    if (!s.header.empty() || hadHeader) {
        out_ += "{\\header";
        headerBlocks(s.header);
        out_ += "}";
        out_ += kRtfEol;
        hadHeader = true;
    }
    if (!s.footer.empty() || hadFooter) {
        out_ += "{\\footer";
        headerBlocks(s.footer);
        out_ += "}";
        out_ += kRtfEol;
        hadFooter = true;
    }
    blocks(s.body, spareParagraphs(s.body));
}

void RtfBuilder::headerBlocks(const std::vector<Block>& list) {
    if (list.empty()) {
        out_ += "\\pard\\plain\\f0\\fs2\\par";
        return;
    }
    blocks(list);
}

// `skip` marks the body's empty paragraphs that would only carry a page
// break onto a page of their own.
void RtfBuilder::blocks(const std::vector<Block>& list, const std::vector<bool>& skip) {
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
                out_ += kRtfEol;
                breakPending = false;
            }
            table(*t);
        }
        spill();
    }
}

}  // namespace qvc::doc::detail
