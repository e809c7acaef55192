#include "reports/AsciiCashFlowLayout.h"

#include <fmt/format.h>

#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Rounding.h"
#include "tavlo/IAlternative.h"

namespace qvc::reports::ascii {

namespace {

using A = tavlo::IAlternative;
using Getter = double (A::*)(int16_t) const;
using Pieces = std::vector<std::string>;  // one heading piece per value column

constexpr long kWide = 15;

AsciiColumn column(Getter getter, long width = 11) {
    return {width, [getter](const A& a, int16_t y) { return (a.*getter)(y); }};
}

// The sum of two present worths as the file shows them: each rounded first.
AsciiColumn roundedSum(Getter first, Getter second) {
    return {11, [first, second](const A& a, int16_t y) {
                return rt::RoundHalfEven((a.*first)(y)) + rt::RoundHalfEven((a.*second)(y));
            }};
}

// The columns both layouts open with: investments, loans, operating costs and
// the cash flow before taxes.
std::vector<AsciiColumn> cashFlowColumns() {
    return {column(&A::CashInvestmentAt), column(&A::LoanPrincipalAt),
            column(&A::LoanInterestAt),   column(&A::TotalInvestmentAt),
            column(&A::AnnualOpCostAt),   column(&A::NonAnnualOpCostAt),
            column(&A::TotalOpCostAt),    column(&A::BeforeTaxCashFlowAt)};
}

// A 4-character heading piece of the year or date column.
std::string fourCharacters(const std::string& text) {
    return rt::Left(PadLeft(text, 4), 4);
}

std::string headingLine(const std::string& yearPiece, const std::string& datePiece,
                        const Pieces& pieces) {
    std::string line = std::string(kIndent) + yearPiece + " " + datePiece;
    for (const std::string& piece : pieces)
        line += " " + piece;
    return line;
}

// The heading lines: label lines, then the dash line, with the year and date
// names on the first line and dashes under them on the last.
std::vector<std::string> headingLines(const ResourceTexts& res,
                                      const std::vector<Pieces>& labelLines,
                                      const std::vector<long>& dashWidths) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < labelLines.size(); ++i) {
        const bool first = i == 0;
        lines.push_back(headingLine(first ? fourCharacters(res.gXstrADColYear) : rt::Space(4),
                                    first ? fourCharacters(res.gXstrADColDate) : rt::Space(4),
                                    labelLines[i]));
    }
    Pieces dashes;
    for (const long width : dashWidths)
        dashes.push_back(std::string(static_cast<size_t>(width), '-'));
    lines.push_back(headingLine("----", "----", dashes));
    return lines;
}

}  // namespace

std::string PadLeft(const std::string& text, long width) {
    const auto length = static_cast<long>(rt::Len(text));
    return length >= width ? text : rt::Space(width - length) + text;
}

std::string PadL11(const std::string& text) {
    return PadLeft(text, 11);
}

std::string CurrencyField(const std::string& currencySymbol, long width) {
    return PadLeft(rt::Trim("(" + currencySymbol + ")"), width);
}

std::string YearField(long year) {
    const std::string digits = fmt::format("{:>4}", year);
    return digits.size() > 4 ? rt::Space(4) : digits;
}

std::string DateField(const std::string& initialText, long baseYear, long year) {
    if (year == 0)
        return PadLeft(rt::Left(initialText, 4), 4);
    return fmt::format("{:>4}", baseYear + year - 1);
}

std::string ValueField(double value, long width) {
    return fmt::format("{:>{}}", rt::RoundHalfEvenText(value, 0), width);
}

std::string dataLine(const AsciiLayout& layout, const tavlo::IAlternative& alternative,
                     long baseYear, int16_t year) {
    std::string line = std::string(kIndent) + YearField(year) + " " +
                       DateField(layout.initialText, baseYear, year);
    for (const AsciiColumn& c : layout.columns)
        line += " " + ValueField(c.value(alternative, year), c.width);
    return line;
}

AsciiLayout otherLayout(const ResourceTexts& res, const std::string& currencySymbol) {
    const std::string blank = rt::Space(11);
    const std::string currency = CurrencyField(currencySymbol, 11);
    // "P.W. Total": the abbreviation that starts gXstrASCIIColBeforeTaxTotInvCost
    // and the word total, over the two present worth columns.
    const std::string pw = PadL11(rt::Left(rt::Trim(res.gXstrASCIIColBeforeTaxTotInvCost), 4) +
                                  " " + rt::Trim(res.gXstrASCIITotal));
    const std::string investment = PadL11(res.gXstrASCIIInvestment);
    const std::string operating = PadL11(res.gXstrASCIICoOperating);
    const std::string cost = PadL11(res.gXstrASCIICost);
    const std::string total = PadL11(res.gXstrASCIIColTotalInvCost);

    std::vector<Pieces> labels{
        {PadL11(res.gXstrASCIIColCashInv), PadL11(res.gXstrASCIILoanPrincipal),
         PadL11(res.gXstrASCIILoanPrincipal), total, PadL11(res.gXstrASCIIColAnOpCost),
         PadL11(res.gXstrASCIIColNonAnOpCost), total, total, pw, pw,
         PadL11(rt::Trim(res.gXstrASCIITotal))},
        {investment, PadL11(res.gXstrASCIIPrinicipal), PadL11(res.gXstrASCIIInterest), investment,
         operating, operating, operating, PadL11(res.gXstrADMainColCashFlow),
         PadL11(rt::Trim(res.gXstrASCIIInvestment)), PadL11(rt::Trim(res.gXstrASCIICoOperating)),
         PadL11(rt::Trim(res.gXstrASCIIPresent))},
        {currency, currency, currency, cost, cost, cost, cost, currency,
         PadL11(rt::Trim(res.gXstrASCIICost)), PadL11(rt::Trim(res.gXstrASCIICost)),
         PadL11(rt::Trim(res.gXstrASCIIWorth))},
        {blank, blank, blank, currency, currency, currency, currency, blank, currency, currency,
         currency}};

    AsciiLayout layout;
    layout.headerLines = headingLines(res, labels, std::vector<long>(11, 11));
    layout.initialText = res.gXstrInitial;
    layout.columns = cashFlowColumns();
    layout.columns.insert(layout.columns.end(), {column(&A::PWInvestmentAt), column(&A::PWOpCostAt),
                                                 roundedSum(&A::PWInvestmentAt, &A::PWOpCostAt)});
    return layout;
}

namespace {

// The first heading piece of the before-tax and after-tax total present worth
// columns. Their label texts ("P.W. Before", "P.W. After") begin with the
// present-worth abbreviation, which the two columns before them already show;
// here only the words after it are kept, followed by the word for tax, so the
// columns read "Before Tax" / "After Tax" above "Total Present Worth". Cutting
// the label at a fixed character would keep a piece of the abbreviation
// ("W. Before Tax") and overrun the column. A label of one word is taken from
// its third character on. The label part is shortened when the piece would
// not fit the 11-character column.
std::string taxedTotalPiece(const ResourceTexts& res, const std::string& label) {
    const std::string tax = rt::Trim(res.gXstrASCIITax);
    const std::string trimmed = rt::Trim(label);
    const long blank = rt::InStr(trimmed, " ");
    std::string words = blank > 0 ? rt::Trim(rt::Mid(trimmed, blank + 1))
                                  : (rt::Len(trimmed) >= 3 ? rt::Mid(trimmed, 3) : "");
    const long room = 11 - 1 - static_cast<long>(rt::Len(tax));
    if (static_cast<long>(rt::Len(words)) > room)
        words = rt::Left(words, room > 0 ? room : 0);
    return PadL11(words + " " + tax);
}

// The heading pieces of the income tax layout, one list per heading line.
std::vector<Pieces> incomeTaxLabels(const ResourceTexts& res, const std::string& currencySymbol) {
    const std::string blank = rt::Space(11);
    const std::string wideBlank = rt::Space(kWide);
    const std::string currency = CurrencyField(currencySymbol, 11);
    const std::string total = PadL11(rt::Trim(res.gXstrASCIITotal));
    const std::string present = PadL11(rt::Trim(res.gXstrASCIIPresent));
    const std::string worth = PadL11(rt::Trim(res.gXstrASCIIWorth));
    const std::string trimmedCost = PadL11(rt::Trim(res.gXstrASCIICost));
    const std::string operating = PadL11(res.gXstrASCIICoOperating);
    const std::string cost = PadL11(res.gXstrASCIICost);
    const std::string cashFlow = PadL11(res.gXstrADMainColCashFlow);
    const std::string pwBefore = PadL11(res.gXstrASCIIColBeforeTaxTotInvCost);

    // Column 10 (depreciation) is 15 wide on every line, so its heading and
    // every heading after it stand over their numbers.
    return {
        {PadL11(res.gXstrASCIIColCashInv), PadL11(res.gXstrASCIILoanPrincipal),
         PadL11(res.gXstrASCIILoanPrincipal), PadL11(res.gXstrASCIITotal),
         PadL11(res.gXstrASCIIColAnOpCost), PadL11(res.gXstrASCIIColNonAnOpCost),
         PadL11(res.gXstrASCIITotal), PadL11(res.gXstrASCIIColBeforeTaxCF),
         PadL11(res.gXstrASCIIColNetIncome), PadLeft(res.gXstrASCIIColDeprec, kWide),
         PadL11(res.gXstrASCIIColInterest), PadL11(res.gXstrASCIIColTaxableIncome),
         PadL11(res.gXstrASCIIColTax), PadL11(res.gXstrASCIIColAftertaxCF),
         PadL11(res.gXstrASCIIColYearEndBV), pwBefore, pwBefore,
         taxedTotalPiece(res, res.gXstrASCIIColBeforeTaxTotInvCost),
         taxedTotalPiece(res, res.gXstrASCIIColAfterTaxTPW)},
        {PadL11(res.gXstrASCIIInvestment), PadL11(res.gXstrASCIIPrinicipal),
         PadL11(res.gXstrASCIIInterest), PadL11(res.gXstrASCIIInvestment), operating, operating,
         operating, PadL11(res.gXstrASCIITax), PadL11(res.gXstrASCIIIncome),
         CurrencyField(currencySymbol, kWide), currency, PadL11(res.gXstrASCIIIncome), currency,
         PadL11(res.gXstrASCIITax), PadL11(res.gXstrASCIIBV), total, total, total, total},
        {currency, currency, currency, cost, cost, cost, cost, cashFlow, currency, wideBlank, blank,
         currency, blank, cashFlow, currency, PadL11(res.gXstrASCIIInvestment), operating, present,
         present},
        {blank, blank, blank, currency, currency, currency, currency, currency, blank, wideBlank,
         blank, blank, blank, currency, blank, trimmedCost, trimmedCost, worth, worth},
        {blank, blank, blank, blank, blank, blank, blank, blank, blank, wideBlank, blank, blank,
         blank, blank, blank, currency, currency, currency, currency}};
}

std::vector<AsciiColumn> incomeTaxColumns() {
    std::vector<AsciiColumn> columns = cashFlowColumns();
    columns.insert(
        columns.end(),
        {column(&A::NetIncomeAt), column(&A::DepreciationAt, kWide), column(&A::LoanInterestAt),
         column(&A::TaxableIncomeAt), column(&A::TaxAt), column(&A::AfterTaxCashFlowAt),
         column(&A::BookValueAt), column(&A::PWInvestmentAt), column(&A::PWOpCostAt),
         roundedSum(&A::PWInvestmentAt, &A::PWOpCostAt), column(&A::PWCashFlowAt)});
    return columns;
}

}  // namespace

AsciiLayout incomeTaxLayout(const ResourceTexts& res, const std::string& currencySymbol) {
    // The dashes stand under the 19 value columns; the depreciation column is wider.
    std::vector<long> dashWidths(19, 11);
    dashWidths[9] = kWide;
    AsciiLayout layout;
    layout.headerLines = headingLines(res, incomeTaxLabels(res, currencySymbol), dashWidths);
    layout.initialText = res.gXstrInitial;
    layout.columns = incomeTaxColumns();
    return layout;
}

}  // namespace qvc::reports::ascii
