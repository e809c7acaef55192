#include "reports/MoneyText.h"

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"

namespace qvc::reports {

namespace {
const std::string& currencySymbol() {
    return threadState().arrStudy[9];
}
}  // namespace

std::string moneyText(double amount) {
    // The sign goes in front of the symbol ("-$63,041"); an amount that rounds
    // to zero shows no sign.
    const double whole = rt::RoundHalfEven(amount);
    const std::string symbol = currencySymbol() == "$" ? "$" : "";
    const std::string sign = whole < 0 ? "-" : "";
    return sign + symbol + rt::FormatNumber(whole < 0 ? -whole : whole, 0, true);
}

double moneyWhole(double amount) {
    return rt::RoundHalfEven(amount);
}

std::string moneyHeader(const std::string& keyText) {
    return rt::Trim(keyText) + " (" + currencySymbol() + ")";
}

std::string annualMoneyHeader(const std::string& keyText) {
    return rt::Trim(keyText) + " (" + currencySymbol() + texts().gXstrSlashyr + ")";
}

std::string definedOrNA(double value, int decimals, double scale) {
    if (value == -1.0)
        return texts().gXstrNA;
    return rt::FormatNumber(value * scale, decimals, true);
}

void writeRoundingNote(doc::DocumentObject& docs) {
    docs.AddText(texts().gXstrRoundingNote, 8.0f, std::nullopt, doc::code::kTextItalic,
                 std::nullopt, doc::code::kAlignLeft, doc::code::kDefaultColour, true);
}

}  // namespace qvc::reports
