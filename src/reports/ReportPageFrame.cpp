#include "reports/ReportPageFrame.h"

#include <array>
#include <ctime>
#include <optional>

#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "reports/ReportLines.h"

namespace qvc::reports {

namespace code = doc::code;

namespace {

constexpr float kFrameTextSize = 9.0f;

std::string timeText(const std::tm& time, const char* format) {
    std::array<char, 32> buffer{};
    const size_t n = std::strftime(buffer.data(), buffer.size(), format, &time);
    return std::string(buffer.data(), n);
}

void writeHeader(doc::DocumentObject& docs, const ReportInputs& in, const std::string& reportTitle,
                 const std::string& frameCode) {
    const ResourceTexts& res = in.texts;
    const double tab = frameCode == "CF" ? 10.0 : 7.5;

    docs.EditHeader(true, 0);
    docs.SetFontName("Arial");
    docs.AddText(reportTitle, 12.0f, std::nullopt, code::kTextBold, 1.2f, code::kAlignCentre,
                 code::kDefaultColour, true);
    docs.AddLabelValue(res.gXstrRHProject + ": " + in.projectName, reportDate(in.reportTime), true,
                       1, 0, tab, kFrameTextSize, kFrameTextSize, 0, code::kDefaultColour, true);
    const std::string company = CapitaliseWords(in.companyName);
    // Without a firm to name the line keeps only the time: an empty
    // "Prepared by:" would look like a form left unfilled.
    const std::string preparedBy =
        rt::Trim(company).empty() ? std::string() : res.gXstrRHPreparedby + ": " + company;
    docs.AddLabelValue(preparedBy, reportTime(in.reportTime), true, 1, 0, tab, kFrameTextSize,
                       kFrameTextSize, 0, 32, false);
    docs.EditHeader(false, 0);

    docs.EditFooter(true, 0);
    docs.AddText(in.appName + " v " + in.appVersion, kFrameTextSize, std::nullopt, 0, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, false);
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

void writeStudyBlock(doc::DocumentObject& docs, const ReportInputs& in,
                     const std::string& infoCode) {
    const ResourceTexts& res = in.texts;
    const StudySettings& study = in.study;
    const int16_t analysis = study.typeOfAnalysis;
    const bool cashFlow = infoCode == "CF1" || infoCode == "CF2";
    const LineLayout& layout = cashFlow ? kCashFlowLines : kPortraitLines;

    docs.AddText(study.title, kLineTextSize, std::nullopt, code::kTextBold, std::nullopt,
                 code::kAlignCentre, code::kDefaultColour, true);
    docs.AddText(study.description, kLineTextSize, std::nullopt, 0, std::nullopt,
                 code::kAlignCentre, 48, true);

    plainLine(docs, res.gXstrSITypeOfAnalysis, in.analysisTypeText, layout);
    const bool alternatives =
        infoCode == "CF2" ? (analysis == 0 || analysis == 1) : infoCode != "SIM";
    if (alternatives)
        plainLine(docs, res.gXstrSITypeofAlternatives, in.alternativeTypeText, layout);
    numberLine(docs, res.gXstrSILengthOfAnalysis, formatNumber(study.lifeCycle, 0), res.gXstryrs,
               layout);
    const bool minimumReturn = isAnyOf(infoCode, {"PMIT", "PMNIT", "PIIT", "PINIT", "CF1"}) ||
                               (infoCode == "CF2" && analysis == 0);
    const bool discountRate =
        isAnyOf(infoCode, {"PUM", "SIM"}) || (infoCode == "CF2" && analysis >= 1 && analysis <= 3);
    const std::string rate = formatNumber(study.discountRate, 2);
    if (minimumReturn)
        numberLine(docs, res.gXstrSIMinROI, rate, res.gXstrPercentPerYear, layout);
    if (discountRate)
        numberLine(docs, res.gXstrDiscountRate, rate, res.gXstrPercentPerYear, layout);
    const bool withTaxes = isAnyOf(infoCode, {"PMIT", "PIIT", "CF1"});
    if (withTaxes)
        plainLine(docs, res.gXstrITRate, res.gXstrLSConsider, layout);
    if (isAnyOf(infoCode, {"PMNIT", "PINIT", "CF2"}))
        plainLine(docs, res.gXstrITRate, res.gXstrLSNotConsider, layout);
    if (withTaxes)
        numberLine(docs, res.gXstrSIMarginalITRate, formatNumber(study.incomeTaxRate, 2),
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

void writeCaseBlock(doc::DocumentObject& docs, const ReportInputs& in,
                    const rt::DynArray<std::string>& caseGen) {
    const ResourceTexts& res = in.texts;

    plainLine(docs, res.gXstrSITypeOfAnalysis, in.analysisTypeText);
    numberLine(docs, res.gXstrSILengthOfAnalysis, formatNumber(in.study.lifeCycle, 0),
               rt::Trim(res.gXstryrs));
    plainLine(docs, res.gXstrITRate,
              in.study.calculateIncomeTaxes ? res.gXstrLSConsider : res.gXstrLSNotConsider);

    emptyParagraph(docs);
    docs.AddText("General Information :", kLineTextSize, std::nullopt, code::kTextBold,
                 std::nullopt, code::kAlignLeft, code::kDefaultColour, true);
    docs.AddText("", kLineTextSize, std::nullopt, code::kTextBold, std::nullopt, code::kAlignLeft,
                 code::kDefaultColour, true);
    captionedValue(docs, res.gXstrColDesignCaseName, caseGen(1));
    captionedValue(docs, res.gXstrColDesignCaseShortName, caseGen(2));
    docs.AddText(res.gXstrDCColDesignCaseDescription + " :", kLineTextSize, std::nullopt, 0,
                 std::nullopt, code::kAlignLeft, code::kDefaultColour, false);
    setTextBox(docs, caseGen(3));
    emptyParagraph(docs);
}

}  // namespace

void setDefaultFont(doc::DocumentObject& docs) {
    docs.ResetFormat();
    docs.SetFontName("Arial");
    docs.SetFontSize(8.0f);
}

void setPageHeader(doc::DocumentObject& docs, const ReportInputs& in,
                   const std::string& reportTitle, const std::string& frameCode) {
    try {
        writeHeader(docs, in, reportTitle, frameCode);
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

void setGeneralInfo(doc::DocumentObject& docs, const ReportInputs& in,
                    const std::string& infoCode) {
    try {
        writeStudyBlock(docs, in, infoCode);
    } catch (...) {
        // The report body follows without the rest of the block.
    }
}

void setDesignCaseInfo(doc::DocumentObject& docs, const ReportInputs& in,
                       const rt::DynArray<std::string>& caseGen) {
    try {
        writeCaseBlock(docs, in, caseGen);
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

std::string reportDate(const std::tm& time) {
    return timeText(time, "%m/%d/%Y");
}

std::string reportTime(const std::tm& time) {
    return timeText(time, "%H:%M:%S");
}

}  // namespace qvc::reports
