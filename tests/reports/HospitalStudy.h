#pragma once
// A seven-case, 40-year private study with income taxes and loans: the long
// study the report layout tests lay out and convert.

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "OfficeHvacRun.h"

namespace qvc::test {

inline cStudy hospitalStudy() {
    cStudy s;
    s.StudyTitle = "Hospital Energy Centre";
    s.StudyDescription = "Seven central plant options for a hospital over 40 years";
    s.TypeOfAnalysis = 0;
    s.TypeOfAlternative = 0;
    s.BaseYear = 2026;
    s.CurSymbol = "$";
    s.CalcIncomeTaxes = true;
    s.Lifecycle = 40;
    s.DiscountRate = 6.5;
    s.IncomeTaxes = 27.0;
    return s;
}

// Seven central plant options of a hospital over 40 years: long item names,
// seven-figure amounts, salvage values, loans in every case and a second loan
// in every other one, all depreciation methods and payment plans.
inline std::vector<cDesignCase> hospitalCases() {
    const std::vector<std::pair<std::string, std::string>> titles{
        {"Refurbish existing chillers and boilers", "Refurbish"},
        {"High-efficiency chillers with condensing boilers", "High efficiency"},
        {"Ground-source heat pump plant with borefield", "Ground source"},
        {"Combined heat and power with absorption chiller", "CHP"},
        {"Air-source heat pumps with thermal storage", "Air source"},
        {"District heating connection and new chillers", "District"},
        {"Biomass boilers with magnetic-bearing chillers", "Biomass"}};
    std::vector<cDesignCase> cases;
    for (size_t k = 0; k < titles.size(); ++k) {
        const double f = 1 + 0.35 * static_cast<double>(k);
        const auto m = static_cast<int16_t>(k);
        std::vector<LoanRow> loans{{"Equipment loan", 0, std::round(2000 * f) * 1000, 70,
                                    static_cast<int16_t>(10 + m), 5.25,
                                    static_cast<int16_t>(m % 3)}};
        if (k % 2 == 1)
            loans.push_back({"Green energy bond for the mid-life replacement", 20,
                             std::round(620 * f) * 1000, 50, 8, 4.75,
                             static_cast<int16_t>((m + 1) % 3)});
        cases.push_back(makeCase(
            titles[k].first, titles[k].second,
            {{"Primary plant equipment and installation", std::round(1850 * f) * 1000, 0, 0, false,
              std::round(350 * f) * 1000, static_cast<int16_t>(m % 6), static_cast<int16_t>(15 + m),
              40},
             {"Controls", std::round(240 * f) * 1000, 0, 0, false, 0,
              static_cast<int16_t>((m + 2) % 5), 7, 15},
             {"Mid-life replacement of pumps, fans and drives", std::round(620 * f) * 1000, 20, 2.0,
              false, std::round(1215 * f) * 100, static_cast<int16_t>((m + 3) % 5), 10, 20},
             {"Utility rebate", -std::round(60 * f) * 1000, 0, 0, true, 0, 5, 2, 0}},
            loans,
            {{"Electricity", std::round(6120 / std::sqrt(f)) * 100, 1, 40, 2.5},
             {"Natural gas", std::round(2840 / f) * 100, 1, 40, 3.0},
             {"Maintenance contract", std::round(960 * std::pow(f, 0.3)) * 100, 1, 40, 2.5},
             {"Water treatment", 12400, 1, 40, 2.0}},
            {{"Cooling tower refurbishment", std::round(480 * f) * 100, 6, 6, 6, 2.5},
             {"Chiller tube cleaning", 9500, 5, 8, 5, 2.5}}));
    }
    return cases;
}

}  // namespace qvc::test
