#include "RtfReader.h"

#include "RtfRowReader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

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
    Skip
};

struct CharState {
    bool bold = false;
    int font = 0, halfPoints = 24, colour = 0, uc = 1;
};

struct GroupState {
    Dest dest = Dest::Body;
    bool owner = false;  // this group set `dest` (not inherited from its parent)
    CharState chars;
};

void appendUtf8(std::string& out, uint32_t cp) {
    const int extra = cp < 0x80 ? 0 : cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    static const unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    out.push_back(static_cast<char>(kLead[extra] | (cp >> (6 * extra))));
    for (int k = extra - 1; k >= 0; --k)
        out.push_back(static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F)));
}

bool isText(Dest d) {
    return d == Dest::Body || d == Dest::Header || d == Dest::Footer;
}

// Control words that set one number of the section, the row or the picture.
const std::map<std::string, int RtfSection::*> kSectionWords{
    {"pgwsxn", &RtfSection::pageWidth},    {"pghsxn", &RtfSection::pageHeight},
    {"marglsxn", &RtfSection::marginLeft}, {"margrsxn", &RtfSection::marginRight},
    {"margtsxn", &RtfSection::marginTop},  {"margbsxn", &RtfSection::marginBottom}};
const std::map<std::string, int RtfPicture::*> kPictureWords{{"picw", &RtfPicture::pixelWidth},
                                                             {"pich", &RtfPicture::pixelHeight},
                                                             {"picwgoal", &RtfPicture::goalWidth},
                                                             {"pichgoal", &RtfPicture::goalHeight}};
const std::map<std::string, int RtfColour::*> kColourWords{
    {"red", &RtfColour::r}, {"green", &RtfColour::g}, {"blue", &RtfColour::b}};
const std::map<std::string, int CharState::*> kCharWords{
    {"f", &CharState::font}, {"fs", &CharState::halfPoints}, {"cf", &CharState::colour}};

class Interpreter {
  public:
    RtfDocument run(const std::vector<RtfToken>& tokens) {
        doc_.sections.emplace_back();
        stack_.emplace_back();
        for (size_t i = 1; i < tokens.size(); ++i) {
            const RtfToken& t = tokens[i];
            if (t.kind == RtfToken::Kind::GroupStart) {
                stack_.push_back(stack_.back());
                stack_.back().owner = false;
                if (i + 2 < tokens.size() && tokens[i + 1].word == "*") {
                    const bool field = tokens[i + 2].word == "fldinst";
                    setDest(field ? Dest::FieldInst : Dest::Skip);
                    if (field)
                        fieldInst_.clear();
                    i += 2;
                }
            } else if (t.kind == RtfToken::Kind::GroupEnd) {
                endGroup();
            } else if (t.kind == RtfToken::Kind::Word) {
                word(t.word, t.param);
            } else if (t.kind == RtfToken::Kind::Symbol) {
                symbol(t);
            } else {
                for (char c : t.text) {
                    if (skipped())
                        continue;
                    doc_.rawEightBit = doc_.rawEightBit || static_cast<unsigned char>(c) >= 0x80;
                    textByte(c);
                }
            }
        }
        return std::move(doc_);
    }

  private:
    Dest dest() const { return stack_.back().dest; }
    CharState& chars() { return stack_.back().chars; }
    RtfSection& section() { return doc_.sections.back(); }
    std::string& currentText() { return intbl_ ? rows_.cell.text : para_.text; }

    void setDest(Dest d) {
        stack_.back().dest = d;
        stack_.back().owner = true;
    }
    // Characters standing in for the last \u character are dropped.
    bool skipped() { return skip_ > 0 && skip_-- > 0; }

    void endGroup() {
        const Dest ended = stack_.back().owner ? dest() : Dest::Skip;
        if (ended == Dest::Pict) {
            for (size_t k = 0; k + 1 < pictHex_.size(); k += 2)
                picture_.data.push_back(
                    static_cast<uint8_t>(std::stoi(pictHex_.substr(k, 2), nullptr, 16)));
            pictHex_.clear();
            (intbl_ ? rows_.cell.pictures : para_.pictures).push_back(std::move(picture_));
        } else if (ended == Dest::FontTable && !fontName_.empty()) {
            addFont();
        } else if (ended == Dest::Header || ended == Dest::Footer) {
            if (!para_.text.empty() || !para_.pictures.empty())
                endParagraph();
            target_ = Dest::Body;
        }
        stack_.pop_back();
        if (stack_.empty())
            stack_.emplace_back();
        const bool inText = std::any_of(stack_.begin(), stack_.end(),
                                        [](const GroupState& g) { return isText(g.dest); });
        if (ended == Dest::FieldInst && inText) {
            std::string inst = fieldInst_;
            inst.erase(0, inst.find_first_not_of(' '));
            inst.erase(inst.find_last_not_of(' ') + 1);
            para_.fields.push_back(inst);
            currentText() += "{" + inst + "}";
        }
    }

    void addFont() {
        while (!fontName_.empty() && (fontName_.back() == ';' || fontName_.back() == ' '))
            fontName_.pop_back();
        if (fontIndex_ >= 0) {
            doc_.fonts.resize(std::max(doc_.fonts.size(), static_cast<size_t>(fontIndex_) + 1));
            doc_.fonts[static_cast<size_t>(fontIndex_)] = fontName_;
        }
        fontName_.clear();
    }

    void textByte(char c) {
        if (dest() == Dest::FontTable) {
            fontName_.push_back(c);
        } else if (dest() == Dest::ColourTable && c == ';') {
            doc_.colours.push_back(colour_);
            colour_ = {};
        } else if (dest() == Dest::Title) {
            doc_.title.push_back(c);
        } else if (dest() == Dest::Pict && std::isxdigit(static_cast<unsigned char>(c))) {
            pictHex_.push_back(c);
        } else if (dest() == Dest::FieldInst) {
            fieldInst_.push_back(c);
        } else if (isText(dest())) {
            addChar(static_cast<unsigned char>(c));
        }
    }

    void addChar(uint32_t cp) {
        if (dest() == Dest::FieldInst || dest() == Dest::Title) {
            appendUtf8(dest() == Dest::Title ? doc_.title : fieldInst_, cp);
            return;
        }
        if (!isText(dest()))
            return;
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
        if (intbl_) {
            rows_.cell.bold = rows_.cell.bold || s.bold;
            rows_.cell.halfPoints = std::max(rows_.cell.halfPoints, s.halfPoints);
            return;
        }
        para_.anyBold = para_.anyBold || s.bold;
        if (s.font >= 0 && static_cast<size_t>(s.font) < doc_.fonts.size()) {
            const std::string& f = doc_.fonts[static_cast<size_t>(s.font)];
            if (std::find(para_.fonts.begin(), para_.fonts.end(), f) == para_.fonts.end())
                para_.fonts.push_back(f);
        }
        RtfColour col;
        if (s.colour > 0 && static_cast<size_t>(s.colour) < doc_.colours.size())
            col = doc_.colours[static_cast<size_t>(s.colour)];
        if (std::find(para_.colours.begin(), para_.colours.end(), col) == para_.colours.end())
            para_.colours.push_back(col);
    }

    void symbol(const RtfToken& t) {
        if (t.word == "~") {
            addChar(0xA0);
        } else if (t.word == "'" && !skipped()) {
            addChar(static_cast<uint32_t>(*t.param));
        } else if ((t.word == "\\" || t.word == "{" || t.word == "}") && !skipped()) {
            if (dest() == Dest::FontTable)
                fontName_ += t.word;
            else
                addChar(static_cast<unsigned char>(t.word[0]));
        }
    }

    // Words that choose where the text of a group goes.
    bool destinationWord(const std::string& w) {
        const Dest d = dest();
        if (w == "fonttbl" || w == "colortbl" || w == "info" || w == "pict") {
            setDest(w == "fonttbl"    ? Dest::FontTable
                    : w == "colortbl" ? Dest::ColourTable
                    : w == "info"     ? Dest::Info
                                      : Dest::Pict);
            picture_ = {};
        } else if (d == Dest::Info) {
            setDest(w == "title" ? Dest::Title : Dest::Skip);
        } else if (w == "fldrslt") {
            setDest(Dest::Skip);
        } else if (w == "header" || w == "footer" || w == "headerr" || w == "footerr") {
            if (!para_.text.empty())
                endParagraph();
            target_ = w[0] == 'h' ? Dest::Header : Dest::Footer;
            setDest(target_);
            (target_ == Dest::Header ? section().header : section().footer).clear();
        } else {
            return false;
        }
        return true;
    }

    void word(const std::string& w, std::optional<int> p) {
        const int v = p.value_or(1);
        const Dest d = dest();
        if (d == Dest::Skip || destinationWord(w))
            return;
        if (d == Dest::FontTable && w == "f") {
            if (!fontName_.empty())
                addFont();
            fontIndex_ = v;
        } else if (d == Dest::ColourTable) {
            if (kColourWords.count(w))
                colour_.*kColourWords.at(w) = v;
        } else if (d == Dest::Pict) {
            picture_.png = picture_.png || w == "pngblip";
            if (kPictureWords.count(w))
                picture_.*kPictureWords.at(w) = v;
        } else if (kCharWords.count(w)) {
            chars().*kCharWords.at(w) = v;
        } else if (w == "deff") {
            doc_.defaultFont = v;
        } else if (w == "u") {
            addChar(static_cast<uint32_t>(v < 0 ? v + 65536 : v));
            skip_ = chars().uc;
        } else if (w == "uc") {
            chars().uc = v;
        } else if (w == "plain") {
            chars() = CharState{.font = std::max(doc_.defaultFont, 0), .uc = chars().uc};
        } else if (w == "b") {
            chars().bold = v != 0;
        } else if (w == "tab" || w == "line") {
            addChar(w == "tab" ? '\t' : '\n');
        } else if (w == "row") {
            endRow();
        } else if (!paragraphWord(w, v)) {
            rows_.word(w, v, doc_.colours);
        }
    }

    bool paragraphWord(const std::string& w, int v) {
        if (w == "pard") {
            intbl_ = false;
            para_.align = rows_.cell.align = 'l';
            para_.tabs.clear();
            para_.keepWithNext = false;
        } else if (w == "intbl") {
            intbl_ = true;
        } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
            (intbl_ ? rows_.cell.align : para_.align) = w[1];
        } else if (w == "tqr" || w == "tqc") {
            tabKind_ = w[2];
        } else if (w == "tx") {
            para_.tabs.emplace_back(tabKind_, v);
            tabKind_ = 'l';
        } else if (w == "pagebb" || w == "page") {
            para_.pageBreakBefore = true;
            if (w == "page")
                ++doc_.pageBreaks;
        } else if (w == "keepn") {
            para_.keepWithNext = true;
        } else if (w == "par") {
            if (intbl_)
                rows_.cell.text += '\n';
            else
                endParagraph();
        } else if (w == "sect") {
            if (!para_.text.empty())
                endParagraph();
            RtfSection next;
            next.header = section().header;
            next.footer = section().footer;
            doc_.sections.push_back(std::move(next));
        } else if (w == "sectd" || w == "lndscpsxn") {
            section().landscape = w == "lndscpsxn";
        } else if (kSectionWords.count(w)) {
            section().*kSectionWords.at(w) = v;
        } else {
            return false;
        }
        return true;
    }

    void endRow() {
        RtfRow row = rows_.endRow();
        auto& body = section().body;
        if (!tableOpen_ || body.empty() || !std::holds_alternative<RtfTable>(body.back()))
            body.emplace_back(RtfTable{});
        std::get<RtfTable>(body.back()).rows.push_back(std::move(row));
        tableOpen_ = true;
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
            tableOpen_ = false;
        }
    }

    RtfDocument doc_;
    std::vector<GroupState> stack_;
    Dest target_ = Dest::Body;
    RtfParagraph para_;
    bool intbl_ = false;
    RtfRowReader rows_;
    bool tableOpen_ = false;
    char tabKind_ = 'l';
    std::string fontName_, pictHex_, fieldInst_;
    int fontIndex_ = -1, skip_ = 0;
    RtfColour colour_;
    RtfPicture picture_;
    uint32_t highSurrogate_ = 0;
};

}  // namespace

RtfDocument readRtf(std::string_view rtf) {
    return Interpreter().run(tokenizeRtf(rtf));
}

RtfDocument readRtfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + file.string());
    std::ostringstream ss;
    ss << in.rdbuf();
    return readRtf(ss.str());
}

}  // namespace qvc::test
