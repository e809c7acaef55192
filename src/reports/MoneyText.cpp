#include "reports/MoneyText.h"

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
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
    const std::string number = rt::FormatNumber(amount, 0, true);
    return currencySymbol() == "$" ? "$" + number : number;
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

}  // namespace qvc::reports
