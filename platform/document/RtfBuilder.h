#pragma once
// Builds the RTF text of one Document (see RtfWriter.h for what it looks like).

#include <fmt/format.h>

#include <charconv>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "qvc/document/Document.h"

namespace qvc::doc::detail {

struct RgbLess {
    bool operator()(const Rgb& a, const Rgb& b) const {
        return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
    }
};

// Writes one document. Fonts and colours are gathered first, because their
// tables come before the text. With a sink the text is passed on in pieces as
// it is made; without one build() returns it whole.
class RtfBuilder {
  public:
    explicit RtfBuilder(const Document& doc, std::ostream* sink = nullptr);

    std::string build();

  private:
    // Document level (RtfBuilder.cpp).
    void spill();
    void gather(const std::vector<Block>& blocks);
    void gather(const Paragraph& p);
    int font(const std::string& name);
    int colour(const Rgb& c);
    void fontTable();
    void colourTable();
    void infoGroup();
    void section(const Section& s, bool first, bool& hadHeader, bool& hadFooter);
    void headerBlocks(const std::vector<Block>& list);
    void blocks(const std::vector<Block>& list, const std::vector<bool>& skip = {});

    // Paragraphs, runs and pictures (RtfBuilderParagraphs.cpp).
    void charFormat(const CharFormat& f);
    void paragraphProps(const Paragraph& p, bool inTable, bool pageBreakBefore, bool keepWithNext);
    void paragraph(const Paragraph& p, bool inTable, bool pageBreakBefore,
                   bool keepWithNext = false);
    void run(const Run& r);
    void picture(const Picture& pic);

    // Tables (RtfBuilderTables.cpp).
    void table(const TableModel& t);
    void rowProps(const TableModel& t, const TableRowModel& row);
    void cellDefinitions(const TableModel& t, const TableRowModel& row);
    void cellContents(const TableRowModel& row);

    // Appends a control word and its number (the most frequent output, so it
    // skips parsing a format string).
    void word(std::string_view controlWord, long long value) {
        out_ += controlWord;
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        out_.append(digits, end);
    }

    // Appends `format` filled in by fmt.
    template <typename... Args>
    void append(fmt::format_string<Args...> format, Args&&... args) {
        fmt::format_to(std::back_inserter(out_), format, std::forward<Args>(args)...);
    }

    const Document& doc_;
    std::ostream* sink_;
    std::string out_;
    std::map<std::string, int> fonts_;
    std::vector<std::string> fontOrder_;
    std::map<Rgb, int, RgbLess> colours_;
    std::vector<Rgb> colourOrder_;
};

// Line end of every line of the file.
inline constexpr const char* kRtfEol = "\r\n";

}  // namespace qvc::doc::detail
