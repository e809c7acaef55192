#include "RtfReader.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qvc::test {

namespace {

enum class Dest {
    Body,
    Header,
    Footer,
    FontTable,
    ColourTable,
    Info,
    Title,
    Pict,
    FieldInst,
    FieldResult,
    Skip
};

struct CharState {
    bool bold = false;
    int font = 0;
    int halfPoints = 24;
    int colour = 0;
    int uc = 1;
};

struct GroupState {
    Dest dest = Dest::Body;
    bool owner = false;  // this group set `dest` (not inherited from its parent)
    CharState chars;
};

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

class Interpreter {
  public:
    RtfDocument run(const std::vector<RtfToken>& tokens) {
        doc_.sections.emplace_back();
        stack_.push_back({});
        for (size_t i = 1; i < tokens.size(); ++i) {
            const RtfToken& t = tokens[i];
            switch (t.kind) {
                case RtfToken::Kind::GroupStart:
                    stack_.push_back(stack_.back());
                    stack_.back().owner = false;
                    if (i + 2 < tokens.size() && tokens[i + 1].kind == RtfToken::Kind::Symbol &&
                        tokens[i + 1].word == "*") {
                        const RtfToken& next = tokens[i + 2];
                        if (next.kind == RtfToken::Kind::Word && next.word == "fldinst") {
                            setDest(Dest::FieldInst);
                            fieldInst_.clear();
                        } else {
                            setDest(Dest::Skip);
                        }
                        i += 2;
                    }
                    break;
                case RtfToken::Kind::GroupEnd:
                    endGroup();
                    break;
                case RtfToken::Kind::Word:
                    word(t.word, t.param);
                    break;
                case RtfToken::Kind::Symbol:
                    symbol(t);
                    break;
                case RtfToken::Kind::Text:
                    for (char c : t.text) {
                        if (skip_ > 0) {
                            --skip_;
                            continue;
                        }
                        if (static_cast<unsigned char>(c) >= 0x80) {
                            doc_.rawEightBit = true;
                        }
                        textByte(c);
                    }
                    break;
            }
        }
        return std::move(doc_);
    }

  private:
    Dest dest() const { return stack_.back().dest; }
    CharState& chars() { return stack_.back().chars; }
    RtfSection& section() { return doc_.sections.back(); }

    void setDest(Dest d) {
        stack_.back().dest = d;
        stack_.back().owner = true;
    }

    void endGroup() {
        Dest ended = stack_.back().owner ? dest() : Dest::Skip;
        if (ended == Dest::Pict) {
            picture_.data.clear();
            for (size_t k = 0; k + 1 < pictHex_.size(); k += 2) {
                picture_.data.push_back(
                    static_cast<uint8_t>(std::stoi(pictHex_.substr(k, 2), nullptr, 16)));
            }
            pictHex_.clear();
            (inCell() ? cell_.pictures : para_.pictures).push_back(picture_);
        }
        if (ended == Dest::FontTable && !fontName_.empty()) {
            addFont();
        }
        if (ended == Dest::Header || ended == Dest::Footer) {
            if (!para_.text.empty() || !para_.pictures.empty()) {
                endParagraph();
            }
            target_ = Dest::Body;
        }
        stack_.pop_back();
        if (stack_.empty()) {
            stack_.push_back({});
        }
        if (ended == Dest::FieldInst) {
            std::string inst = fieldInst_;
            inst.erase(0, inst.find_first_not_of(' '));
            inst.erase(inst.find_last_not_of(' ') + 1);
            if (inField()) {
                para_.fields.push_back(inst);
                currentText() += "{" + inst + "}";
            }
        }
    }

    bool inField() const {
        return std::any_of(stack_.begin(), stack_.end(), [](const GroupState& g) {
            return g.dest == Dest::Body || g.dest == Dest::Header || g.dest == Dest::Footer;
        });
    }

    bool inCell() const { return intbl_; }

    std::string& currentText() { return inCell() ? cellText_ : para_.text; }

    void addFont() {
        std::string name = fontName_;
        while (!name.empty() && (name.back() == ';' || name.back() == ' ')) {
            name.pop_back();
        }
        if (fontIndex_ >= 0) {
            if (static_cast<int>(doc_.fonts.size()) <= fontIndex_) {
                doc_.fonts.resize(static_cast<size_t>(fontIndex_) + 1);
            }
            doc_.fonts[static_cast<size_t>(fontIndex_)] = name;
        }
        fontName_.clear();
    }

    void textByte(char c) {
        switch (dest()) {
            case Dest::FontTable:
                fontName_.push_back(c);
                break;
            case Dest::ColourTable:
                if (c == ';') {
                    doc_.colours.push_back(colour_);
                    colour_ = {};
                }
                break;
            case Dest::Title:
                doc_.title.push_back(c);
                break;
            case Dest::Pict:
                if (std::isxdigit(static_cast<unsigned char>(c))) {
                    pictHex_.push_back(c);
                }
                break;
            case Dest::FieldInst:
                fieldInst_.push_back(c);
                break;
            case Dest::Body:
            case Dest::Header:
            case Dest::Footer:
                addChar(static_cast<unsigned char>(c));
                break;
            default:
                break;
        }
    }

    void addChar(uint32_t cp) {
        if (dest() == Dest::FieldInst) {
            appendUtf8(fieldInst_, cp);
            return;
        }
        if (dest() == Dest::Title) {
            appendUtf8(doc_.title, cp);
            return;
        }
        if (dest() != Dest::Body && dest() != Dest::Header && dest() != Dest::Footer) {
            return;
        }
        if (cp >= 0xD800 && cp < 0xDC00) {
            highSurrogate_ = cp;
            return;
        }
        if (cp >= 0xDC00 && cp < 0xE000 && highSurrogate_) {
            cp = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
            highSurrogate_ = 0;
        }
        appendUtf8(currentText(), cp);
        noteFormat();
    }

    void noteFormat() {
        const CharState& s = chars();
        if (inCell()) {
            cellBold_ = cellBold_ || s.bold;
            cellHalfPoints_ = std::max(cellHalfPoints_, s.halfPoints);
            return;
        }
        para_.anyBold = para_.anyBold || s.bold;
        para_.maxHalfPoints = std::max(para_.maxHalfPoints, s.halfPoints);
        if (s.font >= 0 && static_cast<size_t>(s.font) < doc_.fonts.size()) {
            const std::string& f = doc_.fonts[static_cast<size_t>(s.font)];
            if (std::find(para_.fonts.begin(), para_.fonts.end(), f) == para_.fonts.end()) {
                para_.fonts.push_back(f);
            }
        }
        RtfColour col;
        if (s.colour > 0 && static_cast<size_t>(s.colour) < doc_.colours.size()) {
            col = doc_.colours[static_cast<size_t>(s.colour)];
        }
        if (std::find(para_.colours.begin(), para_.colours.end(), col) == para_.colours.end()) {
            para_.colours.push_back(col);
        }
    }

    void symbol(const RtfToken& t) {
        if (t.word == "'") {
            if (skip_ > 0) {
                --skip_;
                return;
            }
            addChar(static_cast<uint32_t>(*t.param));
        } else if (t.word == "\\" || t.word == "{" || t.word == "}") {
            if (skip_ > 0) {
                --skip_;
                return;
            }
            if (dest() == Dest::FontTable) {
                fontName_ += t.word;
            } else {
                addChar(static_cast<unsigned char>(t.word[0]));
            }
        } else if (t.word == "~") {
            addChar(0xA0);
        }
    }

    void word(const std::string& w, std::optional<int> p) {
        int v = p.value_or(1);
        Dest d = dest();
        if (d == Dest::Skip) {
            return;
        }
        if (w == "fonttbl") {
            setDest(Dest::FontTable);
        } else if (w == "colortbl") {
            setDest(Dest::ColourTable);
        } else if (w == "info") {
            setDest(Dest::Info);
        } else if (w == "title" && d == Dest::Info) {
            setDest(Dest::Title);
        } else if (d == Dest::Info && (w == "author" || w == "subject" || w == "keywords" ||
                                       w == "doccomm" || w == "operator" || w == "company")) {
            setDest(Dest::Skip);
        } else if (w == "header" || w == "footer" || w == "headerr" || w == "footerr") {
            if (!para_.text.empty()) {
                endParagraph();
            }
            Dest nd = w[0] == 'h' ? Dest::Header : Dest::Footer;
            setDest(nd);
            target_ = nd;
            (nd == Dest::Header ? section().header : section().footer).clear();
        } else if (w == "pict") {
            setDest(Dest::Pict);
            picture_ = {};
        } else if (w == "fldrslt") {
            setDest(Dest::FieldResult);
        } else if (d == Dest::FontTable && w == "f") {
            if (!fontName_.empty()) {
                addFont();
            }
            fontIndex_ = v;
        } else if (d == Dest::ColourTable) {
            if (w == "red")
                colour_.r = v;
            if (w == "green")
                colour_.g = v;
            if (w == "blue")
                colour_.b = v;
        } else if (d == Dest::Pict) {
            if (w == "pngblip")
                picture_.png = true;
            if (w == "picw")
                picture_.pixelWidth = v;
            if (w == "pich")
                picture_.pixelHeight = v;
            if (w == "picwgoal")
                picture_.goalWidth = v;
            if (w == "pichgoal")
                picture_.goalHeight = v;
        } else if (w == "deff") {
            doc_.defaultFont = v;
        } else if (w == "u") {
            addChar(static_cast<uint32_t>(v < 0 ? v + 65536 : v));
            skip_ = chars().uc;
        } else if (w == "uc") {
            chars().uc = v;
        } else if (w == "plain") {
            int uc = chars().uc;
            chars() = CharState{};
            chars().uc = uc;
            chars().font = doc_.defaultFont < 0 ? 0 : doc_.defaultFont;
        } else if (w == "b") {
            chars().bold = v != 0;
        } else if (w == "f") {
            chars().font = v;
        } else if (w == "fs") {
            chars().halfPoints = v;
        } else if (w == "cf") {
            chars().colour = v;
        } else if (w == "tab") {
            addChar('\t');
        } else if (w == "line") {
            addChar('\n');
        } else {
            paragraphWord(w, v);
        }
    }

    void paragraphWord(const std::string& w, int v) {
        if (w == "pard") {
            intbl_ = false;
            para_.align = 'l';
            para_.tabs.clear();
            para_.keepWithNext = false;
            cellAlign_ = 'l';
        } else if (w == "intbl") {
            intbl_ = true;
        } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
            (intbl_ ? cellAlign_ : para_.align) = w[1];
        } else if (w == "tqr" || w == "tqc") {
            tabKind_ = w[2];
        } else if (w == "tx") {
            para_.tabs.emplace_back(tabKind_, v);
            tabKind_ = 'l';
        } else if (w == "pagebb") {
            para_.pageBreakBefore = true;
        } else if (w == "keepn") {
            para_.keepWithNext = true;
        } else if (w == "page") {
            ++doc_.pageBreaks;
            para_.pageBreakBefore = true;
        } else if (w == "par") {
            if (intbl_) {
                cellText_ += '\n';
            } else {
                endParagraph();
            }
        } else if (w == "sect") {
            if (!para_.text.empty()) {
                endParagraph();
            }
            RtfSection next;
            next.header = section().header;
            next.footer = section().footer;
            doc_.sections.push_back(std::move(next));
        } else if (w == "sectd") {
            RtfSection& s = section();
            s.landscape = false;
        } else if (w == "lndscpsxn") {
            section().landscape = true;
        } else if (w == "pgwsxn") {
            section().pageWidth = v;
        } else if (w == "pghsxn") {
            section().pageHeight = v;
        } else if (w == "marglsxn") {
            section().marginLeft = v;
        } else if (w == "margrsxn") {
            section().marginRight = v;
        } else if (w == "margtsxn") {
            section().marginTop = v;
        } else if (w == "margbsxn") {
            section().marginBottom = v;
        } else if (w == "trowd") {
            rowDef_ = RtfRow{};
            pendingShading_.reset();
        } else if (w == "trhdr") {
            rowDef_.header = true;
        } else if (w == "trpaddl") {
            rowDef_.paddingLeft = v;
        } else if (w == "trpaddr") {
            rowDef_.paddingRight = v;
        } else if (w == "trrh") {
            rowDef_.minHeight = v;
        } else if (w == "clcbpat") {
            if (v >= 0 && static_cast<size_t>(v) < doc_.colours.size()) {
                pendingShading_ = doc_.colours[static_cast<size_t>(v)];
            }
        } else if (w == "cellx") {
            RtfCell c;
            c.rightEdge = v;
            c.shading = pendingShading_;
            pendingShading_.reset();
            rowDef_.cells.push_back(c);
        } else if (w == "cell") {
            RtfCell c;
            c.text = cellText_;
            while (!c.text.empty() && c.text.back() == '\n') {
                c.text.pop_back();
            }
            c.bold = cellBold_;
            c.align = cellAlign_;
            c.halfPoints = cellHalfPoints_;
            c.pictures = std::move(cell_.pictures);
            cell_ = {};
            rowCells_.push_back(std::move(c));
            cellText_.clear();
            cellBold_ = false;
            cellHalfPoints_ = 0;
        } else if (w == "row") {
            RtfRow row = rowDef_;
            for (size_t k = 0; k < row.cells.size() && k < rowCells_.size(); ++k) {
                RtfCell& c = row.cells[k];
                RtfCell& content = rowCells_[k];
                c.text = content.text;
                c.bold = content.bold;
                c.align = content.align;
                c.halfPoints = content.halfPoints;
                c.pictures = content.pictures;
            }
            rowCells_.clear();
            auto& body = section().body;
            if (!lastBlockIsOpenTable_ || body.empty() ||
                !std::holds_alternative<RtfTable>(body.back())) {
                body.emplace_back(RtfTable{});
            }
            std::get<RtfTable>(body.back()).rows.push_back(std::move(row));
            lastBlockIsOpenTable_ = true;
        }
    }

    void endParagraph() {
        RtfParagraph done = std::move(para_);
        para_ = RtfParagraph{};
        para_.align = done.align;
        para_.tabs = done.tabs;
        if (target_ == Dest::Header) {
            section().header.push_back(std::move(done));
        } else if (target_ == Dest::Footer) {
            section().footer.push_back(std::move(done));
        } else {
            section().body.emplace_back(std::move(done));
            lastBlockIsOpenTable_ = false;
        }
    }

    RtfDocument doc_;
    std::vector<GroupState> stack_;
    Dest target_ = Dest::Body;
    RtfParagraph para_;
    RtfCell cell_;
    std::string cellText_;
    bool cellBold_ = false;
    int cellHalfPoints_ = 0;
    char cellAlign_ = 'l';
    bool intbl_ = false;
    std::vector<RtfCell> rowCells_;
    RtfRow rowDef_;
    std::optional<RtfColour> pendingShading_;
    bool lastBlockIsOpenTable_ = false;
    char tabKind_ = 'l';
    std::string fontName_;
    int fontIndex_ = -1;
    RtfColour colour_;
    RtfPicture picture_;
    std::string pictHex_;
    std::string fieldInst_;
    int skip_ = 0;
    uint32_t highSurrogate_ = 0;
};

}  // namespace

std::vector<int> RtfRow::widths() const {
    std::vector<int> w;
    int left = 0;
    for (const RtfCell& c : cells) {
        w.push_back(c.rightEdge - left);
        left = c.rightEdge;
    }
    return w;
}

std::vector<const RtfTable*> RtfSection::tables() const {
    std::vector<const RtfTable*> out;
    for (const RtfBlock& b : body) {
        if (const auto* t = std::get_if<RtfTable>(&b)) {
            out.push_back(t);
        }
    }
    return out;
}

std::vector<const RtfParagraph*> RtfSection::paragraphs() const {
    std::vector<const RtfParagraph*> out;
    for (const RtfBlock& b : body) {
        if (const auto* p = std::get_if<RtfParagraph>(&b)) {
            out.push_back(p);
        }
    }
    return out;
}

std::vector<const RtfTable*> RtfDocument::tables() const {
    std::vector<const RtfTable*> out;
    for (const RtfSection& s : sections) {
        auto t = s.tables();
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}

std::vector<const RtfParagraph*> RtfDocument::paragraphs() const {
    std::vector<const RtfParagraph*> out;
    for (const RtfSection& s : sections) {
        auto p = s.paragraphs();
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

std::vector<const RtfPicture*> RtfDocument::pictures() const {
    std::vector<const RtfPicture*> out;
    for (const RtfSection& s : sections) {
        for (const RtfBlock& b : s.body) {
            if (const auto* p = std::get_if<RtfParagraph>(&b)) {
                for (const RtfPicture& pic : p->pictures) {
                    out.push_back(&pic);
                }
            } else {
                for (const RtfRow& r : std::get<RtfTable>(b).rows) {
                    for (const RtfCell& c : r.cells) {
                        for (const RtfPicture& pic : c.pictures) {
                            out.push_back(&pic);
                        }
                    }
                }
            }
        }
    }
    return out;
}

std::string RtfDocument::bodyText() const {
    std::string out;
    for (const RtfSection& s : sections) {
        for (const RtfBlock& b : s.body) {
            if (const auto* p = std::get_if<RtfParagraph>(&b)) {
                out += p->text + "\n";
            } else {
                for (const RtfRow& r : std::get<RtfTable>(b).rows) {
                    for (const RtfCell& c : r.cells) {
                        out += c.text + "\n";
                    }
                }
            }
        }
    }
    return out;
}

RtfDocument readRtf(std::string_view rtf) {
    return Interpreter().run(tokenizeRtf(rtf));
}

RtfDocument readRtfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + file.string());
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    return readRtf(ss.str());
}

}  // namespace qvc::test
