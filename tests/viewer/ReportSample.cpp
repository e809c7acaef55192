#include "ReportSample.h"

#include <cmath>
#include <vector>

#include "qvc/document/Table.h"
#include "qvc/graph/ChartRenderer.h"

namespace qvc::test {

using namespace qvc::doc;

namespace {

constexpr int32_t kHeaderShade = 192 + 192 * 256 + 192 * 65536;  // &HC0C0C0
constexpr int32_t kWhite = 255 + 255 * 256 + 255 * 65536;

std::string money(double v) {
    long long n = std::llround(std::fabs(v));
    std::string digits = std::to_string(n);
    for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3) {
        digits.insert(static_cast<size_t>(pos), ",");
    }
    return (v < 0 ? "-$" : "$") + digits;
}

void pageFrame(DocumentObject& docs, const std::string& title, bool landscape) {
    const double tab = landscape ? 10.0 : 7.5;
    docs.EditHeader(true, 0);
    docs.AddText(title, 14.0f, std::nullopt, code::kTextBold, 1.2f, code::kAlignCentre,
                 code::kDefaultColour, true);
    docs.AddLabelValue("Study: Office building HVAC retrofit", "Base date: 2026", true, 1, 0, tab,
                       9.0f, 9.0f, 0, code::kDefaultColour, true);
    docs.AddLabelValue("Private sector life cycle, mutually exclusive alternatives",
                       "Prepared 06/12/2026", true, 1, 0, tab, 9.0f, 9.0f, 0, code::kDefaultColour,
                       true);
    docs.EditHeader(false, 0);
    docs.EditFooter(true, 0);
    docs.AddText("QV Components 17.0", 9.0f, std::nullopt, 0, std::nullopt, code::kAlignLeft,
                 code::kDefaultColour, false);
    docs.AddText("Page", 9.0f, std::nullopt, 0, std::nullopt, code::kAlignRight,
                 code::kDefaultColour, false);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.InsertField(code::kFieldPageNumber, 1);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.AddText("of", 9.0f, std::nullopt, 0, std::nullopt, code::kAlignKeep, code::kDefaultColour,
                 false);
    docs.InsertField(code::kFieldSeparator, 1);
    docs.InsertField(code::kFieldPageCount, 1);
    docs.EditFooter(false, 0);
    docs.ApplyHeaderFooter(true);
}

void infoLine(DocumentObject& docs, const std::string& label, const std::string& value) {
    docs.AddLabelValue(label, "", false, 1, 1, 3.0, 10.0f, std::nullopt, 25, code::kDefaultColour,
                       false);
    docs.AddLabelValue(value, "", true, 1, 1, 6.5, 10.0f, std::nullopt, 0, code::kDefaultColour,
                       true);
}

void table(DocumentObject& docs, const std::string& caption,
           const std::vector<std::vector<std::string>>& rows, const std::vector<float>& widths) {
    Table t;
    t.Attach(docs);
    docs.EndTableBlock();
    docs.SetTextFlags(code::kFlagKeepTables, true);
    t.SetHeaderRow(true);
    const auto columns = static_cast<int32_t>(widths.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            TableCell& cell = t.Cell(static_cast<int32_t>(r) * columns + c + 1);
            cell.SetRowStart(c == 0);
            cell.SetBackColor(r == 0 ? kHeaderShade : kWhite);
            cell.SetBold(r == 0);
            cell.SetWidth(widths[static_cast<size_t>(c)]);
            cell.SetAlignment(r == 0 ? code::kAlignCentre
                                     : (c == 0 ? code::kAlignLeft : code::kAlignRight));
            cell.SetVerticalAlignment(r == 0 ? code::kVAlignCentre : code::kVAlignTop);
            cell.SetPadding(6.0f / 32.0f);
            cell.SetFontSize(r == 0 ? 9.0f : 10.0f);
            cell.SetValue(rows[r][static_cast<size_t>(c)]);
        }
    }
    docs.AddText(caption, 11.0f, std::nullopt, code::kTextBold, std::nullopt, code::kAlignCentre,
                 code::kDefaultColour, false);
    t.InsertInto(docs);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.SetTextFlags(code::kFlagKeepTables, false);
    docs.NewLine(1);
}

std::vector<uint8_t> barChart(const std::string& title, const std::vector<double>& values) {
    graph::Chart c;
    c.title = title;
    c.widthPt = 235;
    c.heightPt = 185;
    graph::Subset s{"", {130, 130, 255}, {}};
    const char* names[] = {"Gas boiler", "Heat pump", "District heat"};
    double most = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        c.pointLabels.push_back(names[i]);
        s.values.push_back(values[i]);
        c.valueAnnotations.push_back(money(values[i]));
        most = std::max(most, values[i]);
    }
    c.subsets = {s};
    c.yMin = 0;
    c.yMax = most * 1.4;
    return graph::ChartRenderer().render(c).png;
}

std::vector<uint8_t> cashFlowChart() {
    graph::Chart c;
    c.kind = graph::ChartKind::StackedBar;
    c.title = "Cash Flows [Heat pump]";
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cash Flow ($)";
    c.showLegend = true;
    c.widthPt = 440;
    c.heightPt = 300;
    graph::Subset inv{"Investment Cost", {130, 130, 255}, {}};
    graph::Subset op{"Operating Cost", {151, 6, 46}, {}};
    for (int y = 0; y <= 25; ++y) {
        c.pointLabels.push_back(std::to_string(2026 + y));
        inv.values.push_back(y == 0 ? 1410500 : (y == 15 ? 320000 : 0));
        op.values.push_back(y == 0 ? 0 : std::round(71950 * std::pow(1.02, y)));
    }
    c.subsets = {inv, op};
    return graph::ChartRenderer().render(c).png;
}

void openDocument(DocumentObject& docs, const std::string& folder, const std::string& name) {
    docs.NewDocument(name, folder, "Untitled", "", "", "", "", 1);
    docs.ResetFormat();
    docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
}

}  // namespace

int32_t addLifeCycleSummary(DocumentObject& docs, const std::string& folder) {
    openDocument(docs, folder, "Office_Life-Cycle Summary.RTF");
    const int32_t index = docs.activeIndex();
    pageFrame(docs, "Life-Cycle Cost Summary", false);

    docs.AddText("General Information", 12.0f, std::nullopt, code::kTextBold, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, true);
    infoLine(docs, "Study title", "Office building HVAC retrofit");
    infoLine(docs, "Type of analysis", "Private sector life cycle");
    infoLine(docs, "Type of alternatives", "Mutually exclusive");
    infoLine(docs, "Base year", "2026");
    infoLine(docs, "Length of analysis", "25 years");
    infoLine(docs, "Discount rate", "7.00 %");
    infoLine(docs, "Income taxes", "Not considered");
    docs.NewLine(1);

    table(docs, "Table 1. Life-Cycle Cost Summary",
          {{"Design case", "First cost", "Annual operating cost", "Total present worth", "Rank"},
           {"Gas boiler", money(1250000), money(84300), money(2480000), "2"},
           {"Heat pump", money(1410500), money(71950), money(2310000), "1"},
           {"District heat", money(1198000), money(90120), money(2655000), "3"}},
          {2.0f, 1.3f, 1.5f, 1.7f, 1.0f});

    docs.InsertPicture(barChart("First Cost ($)", {1250000, 1410500, 1198000}), 235, 185);
    docs.InsertPicture(barChart("Annual Operating Cost ($/yr)", {84300, 71950, 90120}), 235, 185);
    docs.InsertPicture(barChart("Total Present Worth ($)", {2480000, 2310000, 2655000}), 235, 185);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.NewLine(1);

    std::vector<std::vector<std::string>> rows{
        {"Year", "Gas boiler", "Heat pump", "District heat", "Lowest"}};
    for (int y = 1; y <= 40; ++y) {
        double g = 84300 * std::pow(1.02, y), h = 71950 * std::pow(1.02, y),
               d = 90120 * std::pow(1.02, y);
        rows.push_back({std::to_string(2026 + y), money(g), money(h), money(d), "Heat pump"});
    }
    table(docs, "Table 2. Annual operating costs by year", rows, {1.0f, 1.6f, 1.6f, 1.6f, 1.7f});
    docs.AddText("Costs are in constant dollars of the base year.", 10.0f, std::nullopt,
                 code::kTextItalic, std::nullopt, code::kAlignLeft, code::kDefaultColour, true);
    docs.FinishDocument(true, 0);
    return index;
}

int32_t addCashFlowReport(DocumentObject& docs, const std::string& folder) {
    openDocument(docs, folder, "Office_Cash Flows.RTF");
    const int32_t index = docs.activeIndex();
    docs.SetFontName("Arial");
    docs.SetOrientation(code::kLandscape);
    pageFrame(docs, "Cash Flows", true);
    docs.InsertPicture(cashFlowChart(), 440, 300);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.InsertBreak(code::kBreakPage);

    std::vector<std::vector<std::string>> rows{
        {"Year", "Date", "Cash investment", "Loan principal", "Loan interest", "Total investment",
         "Annual operating", "Other operating", "Total operating", "Total"}};
    for (int y = 0; y <= 25; ++y) {
        double inv = y == 0 ? 1410500 : (y == 15 ? 320000 : 0);
        double ann = y == 0 ? 0 : std::round(71950 * std::pow(1.02, y));
        double other = y % 5 == 0 && y > 0 ? 12000 : 0;
        rows.push_back({std::to_string(y), std::to_string(2026 + y), money(inv), money(0), money(0),
                        money(inv), money(ann), money(other), money(ann + other),
                        money(inv + ann + other)});
    }
    table(docs, "Table 1A. Component cash flows [Heat pump], actual values", rows,
          {0.6f, 0.6f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f});
    docs.FinishDocument(true, 0);
    return index;
}

int32_t addShortReport(DocumentObject& docs, const std::string& folder, const std::string& fileName,
                       const std::string& text) {
    openDocument(docs, folder, fileName);
    const int32_t index = docs.activeIndex();
    pageFrame(docs, fileName, false);
    docs.AddText(text, 10.0f, std::nullopt, 0, std::nullopt, code::kAlignLeft, code::kDefaultColour,
                 true);
    docs.FinishDocument(true, 0);
    return index;
}

}  // namespace qvc::test
