#include "SampleDocument.h"

#include <cmath>

#include "qvc/document/Table.h"
#include "qvc/graph/ChartRenderer.h"

namespace qvc::test {

using namespace qvc::doc;

namespace {
constexpr int32_t kGrey = 225 + 225 * 256 + 225 * 65536;
constexpr int32_t kWhite = 255 + 255 * 256 + 255 * 65536;

// Plain text (no style, spacing or back colour).
void plainText(DocumentObject& docs, std::string_view s, std::optional<float> size, int32_t align,
               int32_t colour, bool newLine) {
    docs.AddText(s, size, std::nullopt, 0, std::nullopt, align, colour, newLine);
}

void plainLine(DocumentObject& docs, const std::string& label, const std::string& value) {
    docs.AddLabelValue(label, "", false, 1, 1, 4.5, 10.0f, std::nullopt, 25, code::kDefaultColour,
                       false);
    docs.AddLabelValue(value, "", true, 1, 1, 6.25, 10.0f, std::nullopt, 0, code::kDefaultColour,
                       true);
}

void summaryTable(DocumentObject& docs, const std::vector<std::vector<std::string>>& rows,
                  const std::vector<float>& widths, const std::string& caption) {
    Table t;
    t.Attach(docs);
    docs.EndTableBlock();
    docs.SetTextFlags(code::kFlagKeepTables, true);
    t.SetHeaderRow(true);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < widths.size(); ++c) {
            TableCell& cell = t.AddCell();
            cell.SetRowStart(c == 0);
            cell.SetBackColor(r == 0 ? kGrey : kWhite);
            cell.SetBold(r == 0);
            cell.SetWidth(widths[c]);
            cell.SetAlignment(c == 0 ? code::kAlignLeft : code::kAlignRight);
            cell.SetVerticalAlignment(r == 0 ? code::kVAlignCentre : code::kVAlignTop);
            cell.SetPadding(6.0f / 32.0f);
            cell.SetFontSize(10.0f);
            cell.SetValue(rows[r][c]);
        }
    }
    plainText(docs, caption, 10.0f, code::kAlignLeft, code::kDefaultColour, false);
    t.InsertInto(docs);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.SetTextFlags(code::kFlagKeepTables, false);
    docs.WriteDocument(-1, 0);
    docs.NewLine(1);
}

// The title, description and general-information lines of a report.
void writeGeneralInformation(DocumentObject& docs) {
    docs.AddText("Office building retrofit", 10.0f, std::nullopt, code::kTextBold, std::nullopt,
                 code::kAlignCentre, code::kDefaultColour, true);
    plainText(docs, "Comparison of three heating plants", 10.0f, code::kAlignCentre, 48, true);
    plainLine(docs, "Type of analysis", "Private sector life cycle");
    plainLine(docs, "Type of alternatives", "Mutually exclusive");
    plainLine(docs, "Length of analysis", "25 years");
    plainLine(docs, "Minimum attractive rate of return", "7.00 % per year");
    plainText(docs, "", 10.0f, code::kAlignKeep, 32, true);
}

// A description box as the study inputs report writes it, and failure notes.
void writeDescriptionAndNotes(DocumentObject& docs) {
    plainText(docs, "Study description :", std::nullopt, code::kAlignLeft, code::kDefaultColour,
              false);
    Table box;
    box.Attach(docs);
    TableCell& cell = box.Cell(1);
    cell.SetAlignment(code::kAlignLeft);
    cell.SetCellMeasure(1.75f);
    cell.SetVerticalAlignment(code::kVAlignCentre);
    cell.SetPadding(6.0f / 32.0f);
    cell.SetWidth(4.5f);
    cell.Font().SetUnderline(false);
    cell.SetFontSize(10.0f);
    cell.SetValue("Braces {like these} and a backslash \\ stay.\r\nSecond line: " +
                  kSampleNonAscii);
    box.InsertInto(docs);
    docs.NewLine(1);

    plainText(docs, "Table 2. Design cases could not be generated", std::nullopt,
              code::kAlignCentre, 240, true);
    plainText(docs,
              "Error 9 - Subscript out of range\r\nMethod - GenerateSecondTable\r\nModule - "
              "cRptLifeCycleSummary",
              std::nullopt, code::kAlignCentre, 240, true);
    docs.NewLine(1);
    docs.AddText("No loans are entered for this design case.", 10.0f, 0xFF0000, 4, std::nullopt,
                 code::kAlignCentre, 240, true);
    docs.NewLine(1);
}

// A landscape section with a wide table and a cash-flow chart.
void writeLandscapeSection(DocumentObject& docs) {
    docs.SetOrientation(code::kLandscape);
    writeSampleFrame(docs, kSampleTitle, true);
    std::vector<std::vector<std::string>> wide{
        {"Year", "Date", "Cash investment", "Loan principal", "Loan interest", "Total investment",
         "Annual operating", "Other operating", "Total operating", "Total"}};
    for (int y = 0; y <= 5; ++y) {
        std::vector<std::string> row{std::to_string(y), std::to_string(2025 + y)};
        for (int c = 0; c < 8; ++c)
            row.push_back(std::to_string((c + 1) * 1000 + y));
        wide.push_back(row);
    }
    summaryTable(docs, wide, {0.6f, 0.6f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f},
                 "1A. Component cash flows [Heat pump], actual values");
    docs.InsertPicture(sampleChart(3), 440, 300);
    docs.SetTextFlags(code::kFlagEndBlock, true);
}

}  // namespace

const std::vector<uint8_t>& sampleChart(int which) {
    static const std::vector<std::vector<uint8_t>> charts = [] {
        std::vector<std::vector<uint8_t>> out;
        for (int k = 0; k < 4; ++k) {
            const bool cashFlow = k == 3;
            graph::Chart c;
            c.kind = cashFlow ? graph::ChartKind::StackedBar : graph::ChartKind::Bar;
            c.title = cashFlow ? "Before-Tax Cash Flow [Heat pump]" : "Cost " + std::to_string(k);
            c.widthPt = cashFlow ? 440 : 235;
            c.heightPt = cashFlow ? 300 : 185;
            c.xAxisLabel = cashFlow ? "Year" : "";
            c.showLegend = cashFlow;
            graph::Subset first{"Investment Cost", {130, 130, 255}, {}};
            graph::Subset operating{"Operating Cost", {151, 6, 46}, {}};
            for (int y = 0; y < (cashFlow ? 26 : 3); ++y) {
                c.pointLabels.push_back(std::to_string(y));
                first.values.push_back(y == 0 ? 1410500 : 384300.0 * (k + 1) + 7000 * y);
                operating.values.push_back(y == 0 ? 0 : std::round(71950 * std::pow(1.02, y)));
                c.valueAnnotations.push_back(
                    cashFlow ? "" : "$" + std::to_string(std::lround(first.values[y])));
            }
            c.subsets = {first};
            if (cashFlow)
                c.subsets.push_back(operating);
            c.yMin = 0;
            c.yMax = 1410500 * 1.2;
            out.push_back(graph::ChartRenderer().render(c).png);
        }
        return out;
    }();
    return charts.at(static_cast<size_t>(which));
}

void writeSampleFrame(DocumentObject& docs, const std::string& title, bool landscape) {
    docs.EditHeader(true, 0);
    docs.SetFontName("Arial");
    docs.AddText(title, 12.0f, std::nullopt, code::kTextBold, 1.2f, code::kAlignCentre,
                 code::kDefaultColour, true);
    double tab = landscape ? 10.0 : 7.5;
    docs.AddLabelValue("Project: H\xC3\xB4tel \xC2\xABMain\xC2\xBB", "06/12/2026", true, 1, 0, tab,
                       9.0f, 9.0f, 0, code::kDefaultColour, true);
    docs.AddLabelValue("Prepared by: Acme Engineering", "14:05:00", true, 1, 0, tab, 9.0f, 9.0f, 0,
                       32, false);
    docs.EditHeader(false, 0);
    docs.EditFooter(true, 0);
    plainText(docs, "QV Components v 17.0", 9.0f, code::kAlignLeft, code::kDefaultColour, false);
    plainText(docs, "Page", 9.0f, code::kAlignRight, 16, false);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.InsertField(code::kFieldPageNumber, 1);
    docs.InsertField(code::kFieldSeparator, 1);
    plainText(docs, "of", 9.0f, code::kAlignKeep, 16, false);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.InsertField(code::kFieldPageCount, 1);
    docs.EditFooter(false, 0);
    docs.ApplyHeaderFooter(true);
}

int32_t buildSampleDocument(DocumentObject& docs, const std::string& folder,
                            const std::string& fileName) {
    int32_t index = docs.NewDocument(fileName, folder, "Untitled", "", "", "", "", 1);
    docs.ResetFormat();
    docs.SetFontName("Arial");
    docs.SetFontSize(8.0f);
    docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    writeSampleFrame(docs, kSampleTitle, false);

    writeGeneralInformation(docs);
    summaryTable(docs,
                 {{"Economic criteria", "Best design case for each criterion", "Value ($)"},
                  {"Incremental net present worth", "Gas boiler", "-"},
                  {"Lowest total present worth", "Heat pump " + kSampleNonAscii, "$1,234,567"},
                  {"Annual operating cost", "Heat pump", "$45,678"},
                  {"First cost", "Gas boiler", "$321,000"}},
                 {2.5f, 3.75f, 1.25f}, "Table 1. Executive summary");

    for (int k = 0; k < 3; ++k)
        docs.InsertPicture(sampleChart(k), 235, 185);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.WriteDocument(-1, 0);
    docs.NewLine(1);

    writeDescriptionAndNotes(docs);
    docs.InsertBreak(code::kBreakPage);
    std::vector<std::vector<std::string>> rows{{"Year", "Date", "Cash flow", "Savings"}};
    for (int y = 0; y <= 40; ++y)
        rows.push_back({std::to_string(y), y == 0 ? "Initial" : std::to_string(2025 + y),
                        std::to_string(1000 * y), std::to_string(-37 * y)});
    summaryTable(docs, rows, {1.0f, 1.5f, 2.5f, 2.5f}, "1B. Comparison of alternatives");
    docs.InsertBreak(code::kBreakPage);

    writeLandscapeSection(docs);
    docs.SetOrientation(code::kPortrait);
    writeSampleFrame(docs, kSampleTitle, false);
    plainText(docs, "Back to portrait: " + kSampleNonAscii, 10.0f, code::kAlignLeft,
              code::kDefaultColour, true);
    docs.InsertBreak(code::kBreakPage);
    docs.FinishDocument(true, 0);
    return index;
}

int32_t buildShortDocument(DocumentObject& docs, const std::string& folder,
                           const std::string& fileName, const std::string& text) {
    const int32_t index = docs.NewDocument(fileName, folder, "Untitled", "", "", "", "", 1);
    docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    writeSampleFrame(docs, fileName, false);
    plainText(docs, text, 10.0f, code::kAlignLeft, code::kDefaultColour, true);
    docs.FinishDocument(true, 0);
    return index;
}

}  // namespace qvc::test
