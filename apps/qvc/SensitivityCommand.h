#pragma once
// `qvc sensitivity DIR STUDY [--vary FACTOR[=LOW:HIGH] ...] --out FOLDER`:
// how the study's answer moves when the discount rate, the tax rate or a
// case's cost or escalation group is off. Writes sensitivity.json,
// sensitivity.txt and tornado.png into FOLDER (created when missing); a file
// of those names already there is never replaced: the command refuses before
// calculating.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "qvc/SensitivityAnalysis.h"

namespace qvc::cli {

// "discount-rate", "investment:3=-0.1:0.3", "tax-rate=20%:40%": the factor,
// and its low and high value when given (a number, or a number with "%" for
// hundredths). Raises CommandError naming what is wrong.
SensitivityFactor parseVary(const std::string& text);

int sensitivity(const std::string& dir, int studyId, const std::vector<std::string>& vary,
                const std::string& outDir);

void addSensitivityCommand(CLI::App& app, std::function<int()>& run);

}  // namespace qvc::cli
