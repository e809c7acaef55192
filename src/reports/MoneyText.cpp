#include "reports/MoneyText.h"

#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"

namespace qvc::reports {

std::string moneyText(const ReportInputs& in, double amount) {
    // The sign goes in front of the symbol ("-$63,041"); an amount that rounds
    // to zero shows no sign.
    const double whole = rt::RoundHalfEven(amount);
    const std::string symbol = in.study.currencySymbol == "$" ? "$" : "";
    const std::string sign = whole < 0 ? "-" : "";
    return sign + symbol + rt::FormatNumber(whole < 0 ? -whole : whole, 0, true);
}

double moneyWhole(double amount) {
    return rt::RoundHalfEven(amount);
}

std::string moneyHeader(const ReportInputs& in, const std::string& keyText) {
    return rt::Trim(keyText) + " (" + in.study.currencySymbol + ")";
}

std::string annualMoneyHeader(const ReportInputs& in, const std::string& keyText) {
    return rt::Trim(keyText) + " (" + in.study.currencySymbol + in.texts.gXstrSlashyr + ")";
}

std::string definedOrNA(const ReportInputs& in, double value, int decimals, double scale) {
    if (value == -1.0)
        return in.texts.gXstrNA;
    return rt::FormatNumber(value * scale, decimals, true);
}

void writeRoundingNote(doc::DocumentObject& docs, const ReportInputs& in) {
    docs.AddText(in.texts.gXstrRoundingNote, 8.0f, std::nullopt, doc::code::kTextItalic,
                 std::nullopt, doc::code::kAlignLeft, doc::code::kDefaultColour, true);
}

}  // namespace qvc::reports
