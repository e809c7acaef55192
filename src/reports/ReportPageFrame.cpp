#include "reports/ReportPageFrame.h"

#include <array>
#include <ctime>
#include <optional>

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "reports/ReportLines.h"
#include "reports/ReportState.h"

namespace qvc::reports {

namespace code = doc::code;

namespace {

constexpr float kFrameTextSize = 9.0f;

std::string now(const char* format) {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    std::array<char, 32> buffer{};
    const size_t n = std::strftime(buffer.data(), buffer.size(), format, &local);
    return std::string(buffer.data(), n);
}

void writeHeader(doc::DocumentObject& docs, const std::string& reportTitle,
                 const std::string& frameCode) {
    ThreadState& state = threadState();
    const ResourceTexts& res = texts();
    const double tab = frameCode == "CF" ? 10.0 : 7.5;

    docs.EditHeader(true, 0);
    docs.SetFontName("Arial");
    docs.AddText(reportTitle, 12.0f, std::nullopt, code::kTextBold, 1.2f, code::kAlignCentre,
                 code::kDefaultColour, true);
    docs.AddLabelValue(res.gXstrRHProject + ": " + state.strProjectName, reportDate(), true, 1, 0,
                       tab, kFrameTextSize, kFrameTextSize, 0, code::kDefaultColour, true);
    state.strCompanyName = CapitaliseWords(state.strCompanyName);
    // Without a firm to name the line keeps only the time: an empty
    // "Prepared by:" would look like a form left unfilled.
    const std::string preparedBy = rt::Trim(state.strCompanyName).empty()
                                       ? std::string()
                                       : res.gXstrRHPreparedby + ": " + state.strCompanyName;
    docs.AddLabelValue(preparedBy, reportTime(), true, 1, 0, tab, kFrameTextSize, kFrameTextSize, 0,
                       32, false);
    docs.EditHeader(false, 0);

    docs.EditFooter(true, 0);
    docs.AddText(state.strAppName + " v " + state.strAppVersion, kFrameTextSize, std::nullopt, 0,
                 std::nullopt, code::kAlignLeft, code::kDefaultColour, false);
    docs.AddText(res.gXstrPage, kFrameTextSize, std::nullopt, 0, std::nullopt, code::kAlignRight,
                 16, false);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.InsertField(code::kFieldPageNumber, 1);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.AddText(res.gXstrOF, kFrameTextSize, std::nullopt, 0, std::nullopt, code::kAlignKeep, 16,
                 false);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.InsertField(code::kFieldPageCount, 1);
    docs.EditFooter(false, 0);
    docs.ApplyHeaderFooter(true);
}

bool isAnyOf(const std::string& code, std::initializer_list<const char*> codes) {
    for (const char* c : codes)
        if (code == c)
            return true;
    return false;
}

void writeStudyBlock(doc::DocumentObject& docs, const std::string& infoCode) {
    const ThreadState& state = threadState();
    const ReportState& rs = reportState();
    const ResourceTexts& res = texts();
    const auto& study = state.arrStudy;
    const std::string& analysis = study[2];
    const bool cashFlow = infoCode == "CF1" || infoCode == "CF2";
    const LineLayout& layout = cashFlow ? kCashFlowLines : kPortraitLines;

    docs.AddText(study[0], kLineTextSize, std::nullopt, code::kTextBold, std::nullopt,
                 code::kAlignCentre, code::kDefaultColour, true);
    docs.AddText(study[1], kLineTextSize, std::nullopt, 0, std::nullopt, code::kAlignCentre, 48,
                 true);

    plainLine(docs, res.gXstrSITypeOfAnalysis, rs.strAnalysisType, layout);
    const bool alternatives =
        infoCode == "CF2" ? (analysis == "0" || analysis == "1") : infoCode != "SIM";
    if (alternatives)
        plainLine(docs, res.gXstrSITypeofAlternatives, rs.strAlternativeType, layout);
    numberLine(docs, res.gXstrSILengthOfAnalysis, formatStudyNumber(study[5], 0), res.gXstryrs,
               layout);
    const bool minimumReturn = isAnyOf(infoCode, {"PMIT", "PMNIT", "PIIT", "PINIT", "CF1"}) ||
                               (infoCode == "CF2" && analysis == "0");
    const bool discountRate =
        isAnyOf(infoCode, {"PUM", "SIM"}) ||
        (infoCode == "CF2" && (analysis == "1" || analysis == "2" || analysis == "3"));
    if (minimumReturn)
        numberLine(docs, res.gXstrSIMinROI, formatStudyNumber(study[6], 2), res.gXstrPercentPerYear,
                   layout);
    if (discountRate)
        numberLine(docs, res.gXstrDiscountRate, formatStudyNumber(study[6], 2),
                   res.gXstrPercentPerYear, layout);
    const bool withTaxes = isAnyOf(infoCode, {"PMIT", "PIIT", "CF1"});
    if (withTaxes)
        plainLine(docs, res.gXstrITRate, res.gXstrLSConsider, layout);
    if (isAnyOf(infoCode, {"PMNIT", "PINIT", "CF2"}))
        plainLine(docs, res.gXstrITRate, res.gXstrLSNotConsider, layout);
    if (withTaxes)
        numberLine(docs, res.gXstrSIMarginalITRate, formatStudyNumber(study[8], 2),
                   res.gXstrPercentPerYear, layout);
    emptyParagraph(docs);
}

// The label right-aligned at 1.75 inches, the value after it. The tab before the
// value ends the right-aligned part, so a long value never drags the label along.
void captionedValue(doc::DocumentObject& docs, const std::string& label, const std::string& value) {
    docs.AddLabelValue(label, "", true, 1, 1, 1.75, kLineTextSize, std::nullopt, 0,
                       code::kDefaultColour, false);
    docs.AddText("\t" + value, kLineTextSize, std::nullopt, 0, std::nullopt, code::kAlignLeft,
                 code::kDefaultColour, true);
}

void writeCaseBlock(doc::DocumentObject& docs) {
    const ThreadState& state = threadState();
    const ResourceTexts& res = texts();
    const auto& study = state.arrStudy;

    plainLine(docs, res.gXstrSITypeOfAnalysis, reportState().strAnalysisType);
    numberLine(docs, res.gXstrSILengthOfAnalysis, formatStudyNumber(study[5], 0),
               rt::Trim(res.gXstryrs));
    plainLine(docs, res.gXstrITRate,
              study[7] == "False" ? res.gXstrLSNotConsider : res.gXstrLSConsider);

    emptyParagraph(docs);
    docs.AddText("General Information :", kLineTextSize, std::nullopt, code::kTextBold,
                 std::nullopt, code::kAlignLeft, code::kDefaultColour, true);
    docs.AddText("", kLineTextSize, std::nullopt, code::kTextBold, std::nullopt, code::kAlignLeft,
                 code::kDefaultColour, true);
    captionedValue(docs, res.gXstrColDesignCaseName, state.arrCaseGen(1));
    captionedValue(docs, res.gXstrColDesignCaseShortName, state.arrCaseGen(2));
    docs.AddText(res.gXstrDCColDesignCaseDescription + " :", kLineTextSize, std::nullopt, 0,
                 std::nullopt, code::kAlignLeft, code::kDefaultColour, false);
    setTextBox(docs, state.arrCaseGen(3));
    emptyParagraph(docs);
}

}  // namespace

void setDefaultFont(doc::DocumentObject& docs) {
    docs.ResetFormat();
    docs.SetFontName("Arial");
    docs.SetFontSize(8.0f);
}

void setPageHeader(doc::DocumentObject& docs, const std::string& reportTitle,
                   const std::string& frameCode) {
    try {
        writeHeader(docs, reportTitle, frameCode);
    } catch (...) {
        try {
            docs.AddText("", kFrameTextSize, std::nullopt, 0, std::nullopt, code::kAlignKeep,
                         code::kDefaultColour, true);
            // Whatever follows belongs to the body, not to a half-written frame.
            docs.EditHeader(false, 0);
            docs.EditFooter(false, 0);
        } catch (...) {
        }
    }
}

void setGeneralInfo(doc::DocumentObject& docs, const std::string& infoCode) {
    try {
        if (infoCode == "DC")
            writeCaseBlock(docs);
        else
            writeStudyBlock(docs, infoCode);
    } catch (...) {
        // The report body follows without the rest of the block.
    }
}

void setTextBox(doc::DocumentObject& docs, const std::string& text) {
    try {
        doc::Table table;
        table.Attach(docs);
        const std::array<int32_t, 1> rowStarts{1};
        table.Define(1, rowStarts);
        doc::TableCell& cell = table.Cell(1);
        cell.SetAlignment(code::kAlignLeft);
        cell.SetVerticalAlignment(code::kVAlignCentre);
        cell.SetPadding(5.0f / 32.0f);
        cell.SetWidth(7.0f);
        cell.Font().SetUnderline(false);
        cell.SetFontSize(10.0f);
        cell.SetValue(text);
        table.InsertInto(docs);
        docs.NewLine(1);
    } catch (...) {
        // The description box is left out.
    }
}

std::string CapitaliseWords(std::string_view text) {
    std::vector<std::string> words = rt::Split(text, " ");
    for (std::string& word : words)
        word = rt::UCaseFirst(word);
    return rt::Join(words, " ");
}

std::string reportDate() {
    return now("%m/%d/%Y");
}

std::string reportTime() {
    return now("%H:%M:%S");
}

}  // namespace qvc::reports
