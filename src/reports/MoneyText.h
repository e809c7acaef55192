#pragma once
// Texts of the result reports (life-cycle summary, analysis details, cash
// flows, present worth profiles) for money amounts, money column headers and
// the engine's rates, ratios and payback periods.
//
// Money: the amount rounded half-to-even to a whole number with the locale's
// digit grouping. When the study's currency symbol is exactly
// "$" the text is "$" followed by the number, the sign in front ("$12,345",
// "-$500"); for any other symbol the number stands alone ("-500") and the
// column header carries the symbol. The symbol and the texts come from the
// build's inputs.

#include <string>

#include "reports/ReportInputs.h"

namespace qvc::doc {
class DocumentObject;
}

namespace qvc::reports {

// "$12,345", "-$12,345" or "12,345", "-12,345".
std::string moneyText(const ReportInputs& in, double amount);
// The whole number a money text shows (half-to-even), for totals that must
// agree with the texts already written.
double moneyWhole(double amount);
// Header of a money column: key text " (" symbol ")", trimmed key.
std::string moneyHeader(const ReportInputs& in, const std::string& keyText);
// Header of an annual money column: key text " (" symbol gXstrSlashyr ")".
std::string annualMoneyHeader(const ReportInputs& in, const std::string& keyText);

// The engine marks a rate of return, ratio or payback that does not exist with
// exactly -1: gXstrNA then, otherwise value x scale with `decimals` places.
std::string definedOrNA(const ReportInputs& in, double value, int decimals, double scale = 1.0);

// The one-line note under a table whose totals add the rounded rows: a total
// may differ from the sum of the figures shown by rounding.
void writeRoundingNote(doc::DocumentObject& docs, const ReportInputs& in);

}  // namespace qvc::reports
