#include "RtfReader.h"

#include "RtfDocument.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace qvc::test {

namespace {

using Dest = RtfDest;

struct Group {
    Dest dest = Dest::Body;
    bool owner = false;  // this group set `dest` (not inherited from its parent)
    bool bold = false;
    int halfPoints = 24, colour = 0, uc = 1;
};

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("RTF: " + what);
}

bool isAlpha(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isText(Dest d) {
    return d == Dest::Body || d == Dest::Header || d == Dest::Footer;
}

void appendUtf8(std::string& out, uint32_t cp) {
    const int extra = cp < 0x80 ? 0 : cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    static const unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    out.push_back(static_cast<char>(kLead[extra] | (cp >> (6 * extra))));
    for (int k = extra - 1; k >= 0; --k)
        out.push_back(static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F)));
}

// Control words that set one number of the colour or the characters.
const std::map<std::string, int RtfColour::*> kColourWords{
    {"red", &RtfColour::r}, {"green", &RtfColour::g}, {"blue", &RtfColour::b}};
const std::map<std::string, int Group::*> kCharWords{{"fs", &Group::halfPoints},
                                                     {"cf", &Group::colour}};

class Reader : RtfBodyBuilder {
  public:
    explicit Reader(std::string_view rtf) : rtf_(rtf) {}

    RtfDocument run() {
        doc_.sections.emplace_back();
        stack_.emplace_back();
        int depth = 0;
        size_t i = 0;
        while (i < rtf_.size() && !(depth == 0 && started_)) {
            const char c = rtf_[i++];
            if (c == '{') {
                openGroup(depth++, i);
            } else if (c == '}') {
                if (--depth < 0)
                    fail("'}' without a matching '{'");
                endGroup();
            } else if (c == '\\') {
                control(i);
            } else if (c != '\r' && c != '\n') {
                if (depth == 0)
                    fail("text outside the document group");
                groupStart_ = false;
                if (std::exchange(starred_, false))
                    setDest(Dest::Skip);
                if (!skipped())
                    textByte(c);
            }
        }
        if (depth != 0)
            fail("unbalanced braces (" + std::to_string(depth) + " group(s) not closed)");
        if (!started_)
            fail("the file does not start with {\\rtf1");
        if (rtf_.find_first_not_of(std::string_view(" \t\r\n\f\v\0", 7), i) != std::string::npos)
            fail("text after the final '}'");
        return std::move(doc_);
    }

  private:
    Dest dest() const { return stack_.back().dest; }
    Group& chars() { return stack_.back(); }
    void setDest(Dest d) {
        stack_.back().dest = d;
        stack_.back().owner = true;
    }
    // Characters standing in for the last \u character are dropped.
    bool skipped() { return skip_ > 0 && skip_-- > 0; }

    // The document's own group is the bottom of the stack; the others push a copy of their parent.
    void openGroup(int depth, size_t i) {
        if (depth == 0 && !started_) {
            if (rtf_.substr(i, 4) != "\\rtf")
                fail("the file does not start with {\\rtf1");
            started_ = true;
            return;
        }
        stack_.push_back(stack_.back());
        stack_.back().owner = false;
        groupStart_ = true;
    }

    // The control word or symbol after the backslash at rtf_[i - 1]; `i` moves past it.
    void control(size_t& i) {
        if (i >= rtf_.size())
            fail("backslash at the end of the file");
        const char n = rtf_[i];
        const bool first = std::exchange(groupStart_, false);
        if (n == '\'') {
            if (i + 2 >= rtf_.size())
                fail("truncated \\' escape");
            const int v = std::stoi(std::string(rtf_.substr(i + 1, 2)), nullptr, 16);
            i += 3;
            if (!skipped())
                addChar(static_cast<uint32_t>(v));
            return;
        }
        if (!isAlpha(n)) {
            ++i;
            if (n == '\r' || n == '\n')  // a backslash before a line end is a paragraph mark
                word("par", std::nullopt);
            else
                symbol(n, first);
            return;
        }
        size_t j = i;
        while (j < rtf_.size() && isAlpha(rtf_[j]))
            ++j;
        const std::string w(rtf_.substr(i, j - i));
        std::optional<int> p;
        size_t k = j;
        if (k < rtf_.size() && (rtf_[k] == '-' || isDigit(rtf_[k]))) {
            ++k;
            while (k < rtf_.size() && isDigit(rtf_[k]))
                ++k;
            p = std::stoi(std::string(rtf_.substr(j, k - j)));
        }
        i = k < rtf_.size() && rtf_[k] == ' ' ? k + 1 : k;
        if (!std::exchange(starred_, false)) {
            word(w, p);
        } else {
            setDest(w == "fldinst" ? Dest::FieldInst : Dest::Skip);
            fieldInst_.clear();
        }
    }

    void symbol(char s, bool first) {
        if (s == '*' && first) {
            starred_ = true;  // an optional destination: only fields are read
        } else if (s == '~') {
            addChar(0xA0);
        } else if ((s == '\\' || s == '{' || s == '}') && !skipped()) {
            addChar(static_cast<unsigned char>(s));
        }
    }

    void endGroup() {
        const Dest ended = stack_.back().owner ? dest() : Dest::Skip;
        if (ended == Dest::Pict) {
            for (size_t k = 0; k + 1 < pictHex_.size(); k += 2)
                picture_.data.push_back(
                    static_cast<uint8_t>(std::stoi(pictHex_.substr(k, 2), nullptr, 16)));
            pictHex_.clear();
            (intbl_ ? cell_.pictures : para_.pictures).push_back(std::move(picture_));
        } else if (ended == Dest::Header || ended == Dest::Footer) {
            if (!para_.text.empty() || !para_.pictures.empty())
                endParagraph();
            target_ = Dest::Body;
        }
        stack_.pop_back();
        if (stack_.empty())
            stack_.emplace_back();
        const bool inText = std::any_of(stack_.begin(), stack_.end(),
                                        [](const Group& g) { return isText(g.dest); });
        if (ended == Dest::FieldInst && inText) {
            std::string inst = fieldInst_;
            inst.erase(0, inst.find_first_not_of(' '));
            inst.erase(inst.find_last_not_of(' ') + 1);
            para_.fields.push_back(inst);
            currentText() += "{" + inst + "}";
        }
    }

    void textByte(char c) {
        if (dest() == Dest::Colours && c == ';') {
            doc_.colours.push_back(std::exchange(colour_, {}));
        } else if (dest() == Dest::Pict && std::isxdigit(static_cast<unsigned char>(c))) {
            pictHex_.push_back(c);
        } else if (dest() == Dest::FieldInst) {
            fieldInst_.push_back(c);
        } else if (isText(dest())) {
            addChar(static_cast<unsigned char>(c));
        }
    }

    void addChar(uint32_t cp) {
        if (dest() == Dest::FieldInst) {
            appendUtf8(fieldInst_, cp);
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
        const Group& s = chars();
        if (intbl_) {
            cell_.bold = cell_.bold || s.bold;
            cell_.halfPoints = std::max(cell_.halfPoints, s.halfPoints);
            return;
        }
        para_.anyBold = para_.anyBold || s.bold;
        const auto colour = static_cast<size_t>(s.colour);
        const RtfColour col =
            colour > 0 && colour < doc_.colours.size() ? doc_.colours[colour] : RtfColour{};
        if (std::ranges::find(para_.colours, col) == para_.colours.end())
            para_.colours.push_back(col);
    }

    // Words that choose where the text of a group goes.
    bool destinationWord(const std::string& w) {
        if (w == "colortbl" || w == "pict") {
            setDest(w == "colortbl" ? Dest::Colours : Dest::Pict);
            picture_ = {};
        } else if (w == "fonttbl" || w == "fldrslt" || w == "info") {
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
        if (d == Dest::Skip || d == Dest::Pict || destinationWord(w))
            return;  // inside a picture only its hex digits count
        if (d == Dest::Colours) {
            if (kColourWords.count(w))
                colour_.*kColourWords.at(w) = v;
        } else if (kCharWords.count(w)) {
            chars().*kCharWords.at(w) = v;
        } else if (w == "u") {
            addChar(static_cast<uint32_t>(v < 0 ? v + 65536 : v));
            skip_ = chars().uc;
        } else if (w == "uc") {
            chars().uc = v;
        } else if (w == "plain") {
            Group& g = chars();
            std::tie(g.bold, g.halfPoints, g.colour) = std::tuple(false, 24, 0);
        } else if (w == "b") {
            chars().bold = v != 0;
        } else if (w == "tab" || w == "line") {
            addChar(w == "tab" ? '\t' : '\n');
        } else {
            bodyWord(w, v);
        }
    }

    std::string_view rtf_;
    bool started_ = false, groupStart_ = false, starred_ = false;
    std::vector<Group> stack_;
    std::string pictHex_, fieldInst_;
    int skip_ = 0;
    RtfColour colour_;
    RtfPicture picture_;
    uint32_t highSurrogate_ = 0;
};

}  // namespace

RtfDocument readRtf(std::string_view rtf) {
    return Reader(rtf).run();
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
