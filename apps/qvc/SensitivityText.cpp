#include "SensitivityText.h"

#include <fmt/format.h>

#include <algorithm>
#include <vector>

#include "qvc/runtime/NumberFormat.h"

namespace qvc::cli {

namespace {

using Row = std::vector<std::string>;

// Columns padded to their widest cell: the first left-aligned, the others
// right-aligned, two blanks apart.
std::string table(const std::vector<Row>& rows) {
    std::vector<size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    std::string out;
    for (const Row& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += c == 0 ? row[c] + pad : "  " + pad + row[c];
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\r\n";
    }
    return out;
}

std::string percent(double fraction) {
    std::string s = rt::FormatNumber(fraction * 100.0, 3);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.' || s.back() == ',')
        s.pop_back();
    return s + " %";
}

std::string money(double v) {
    return rt::FormatNumber(v, 0);
}

// Where the case sits in the result's lists.
size_t positionOf(const SensitivityResult& r, int16_t caseId) {
    const auto it = std::find(r.caseIds.begin(), r.caseIds.end(), caseId);
    return static_cast<size_t>(it - r.caseIds.begin());
}

std::string caseName(const SensitivityResult& r, int16_t caseId) {
    const size_t i = positionOf(r, caseId);
    if (i >= r.caseIds.size())
        return "-";
    const std::string& name = r.caseShortTitles[i].empty() ? r.caseTitles[i] : r.caseShortTitles[i];
    return name.empty() ? fmt::format("case {}", caseId) : fmt::format("{} {}", caseId, name);
}

std::string preferredTpw(const SensitivityResult& r, const SensitivityPoint& p) {
    const size_t i = positionOf(r, r.base.preferredCaseId);
    if (!p.calculated || i >= p.totalPresentWorth.size())
        return "-";
    return money(p.totalPresentWorth[i]);
}

std::string preferredAt(const SensitivityPoint& p) {
    return p.calculated ? fmt::format("{}", p.preferredCaseId) : "-";
}

std::string header(const SensitivityResult& r) {
    std::string out =
        fmt::format("Sensitivity analysis of study {}: {}\r\n", r.studyId, r.studyTitle);
    out += "Base: discount rate " + percent(r.baseDiscountRate);
    out += r.incomeTaxes ? ", income tax rate " + percent(r.baseTaxRate) : ", no income taxes";
    out += "\r\n";
    if (r.base.calculated)
        out += fmt::format("Preferred case: {}, total present worth {} {}\r\n",
                           caseName(r, r.base.preferredCaseId), r.currencySymbol,
                           preferredTpw(r, r.base));
    else
        out += fmt::format("The study as stored was not calculated: {} {}\r\n", r.base.errorNumber,
                           r.base.errorDescription);
    return out + "\r\n";
}

std::string factorTable(const SensitivityResult& r) {
    const std::string tpw = fmt::format("TPW of {} ({})", r.base.preferredCaseId, r.currencySymbol);
    std::vector<Row> rows{
        {"Factor", "Low", "High", tpw + " low", "high", "Swing", "Preferred low", "high"}};
    for (const SensitivityFactorResult& f : r.factors) {
        const bool both = f.low.calculated && f.high.calculated;
        rows.push_back({f.label, pointValueText(f.factor, f.low), pointValueText(f.factor, f.high),
                        preferredTpw(r, f.low), preferredTpw(r, f.high),
                        both ? money(f.preferredSwing) : "-", preferredAt(f.low),
                        preferredAt(f.high)});
    }
    return table(rows);
}

Row pointRow(const std::string& name, const SensitivityPoint& p, size_t cases) {
    Row row{name};
    for (size_t i = 0; i < cases; ++i) {
        std::string cell = p.calculated ? money(p.totalPresentWorth[i]) : "-";
        row.push_back(cell);
    }
    row.push_back(p.calculated ? fmt::format("{}", p.preferredCaseId) : "-");
    return row;
}

std::string caseTable(const SensitivityResult& r) {
    Row head{"Point"};
    for (int16_t id : r.caseIds)
        head.push_back(fmt::format("Case {}", id));
    head.push_back("Preferred");
    std::vector<Row> rows{head, pointRow("Base", r.base, r.caseIds.size())};
    for (const SensitivityFactorResult& f : r.factors) {
        rows.push_back(
            pointRow(f.label + " " + pointValueText(f.factor, f.low), f.low, r.caseIds.size()));
        rows.push_back(
            pointRow(f.label + " " + pointValueText(f.factor, f.high), f.high, r.caseIds.size()));
    }
    return fmt::format("Total present worth of every case ({})\r\n", r.currencySymbol) +
           table(rows);
}

std::string breakEvenText(const SensitivityResult& r) {
    if (!r.base.calculated)
        return {};
    if (!r.breakEven)
        return "Break-even discount rate: none between 0 and 30 % (no other case's total "
               "present worth crosses that of " +
               caseName(r, r.base.preferredCaseId) + ")\r\n";
    std::string out = fmt::format(
        "Break-even discount rate: {} (the total present worth of {} equals that of {})\r\n",
        percent(r.breakEven->rate), caseName(r, r.breakEven->caseId),
        caseName(r, r.base.preferredCaseId));
    for (size_t i = 1; i < r.crossings.size(); ++i)
        out += fmt::format("  also crossing: {} at {}\r\n", caseName(r, r.crossings[i].caseId),
                           percent(r.crossings[i].rate));
    return out;
}

std::string failures(const SensitivityResult& r) {
    std::string out;
    for (const SensitivityFactorResult& f : r.factors)
        for (const SensitivityPoint* p : {&f.low, &f.high})
            if (!p->calculated)
                out += fmt::format("  {} {}: {} {}\r\n", f.label, pointValueText(f.factor, *p),
                                   p->errorNumber, p->errorDescription);
    return out.empty() ? out : "\r\nPoints not calculated:\r\n" + out;
}

}  // namespace

std::string pointValueText(const SensitivityFactor& factor, const SensitivityPoint& point) {
    const bool absolute = factor.kind != SensitivityFactorKind::EscalationRates
                              ? factor.isRate()
                              : factor.low.has_value();
    if (absolute)
        return percent(point.value);
    const double change = point.value - 1.0;
    return (change > 0 ? "+" : "") + percent(change);
}

std::string sensitivityText(const SensitivityResult& result) {
    return header(result) + factorTable(result) + "\r\n" + caseTable(result) + "\r\n" +
           breakEvenText(result) + failures(result);
}

}  // namespace qvc::cli
