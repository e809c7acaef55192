// The names of the sensitivity factors ("discount-rate", "investment:3", ...).

#include <array>
#include <charconv>
#include <string_view>

#include "qvc/SensitivityAnalysis.h"

namespace qvc {
namespace {

struct KindName {
    SensitivityFactorKind kind;
    std::string_view name;
    bool perCase;
};

constexpr std::array<KindName, 6> kKinds{{
    {SensitivityFactorKind::DiscountRate, "discount-rate", false},
    {SensitivityFactorKind::IncomeTaxRate, "tax-rate", false},
    {SensitivityFactorKind::InvestmentCosts, "investment", true},
    {SensitivityFactorKind::AnnualCosts, "annual", true},
    {SensitivityFactorKind::OtherCosts, "other", true},
    {SensitivityFactorKind::EscalationRates, "escalation", true},
}};

std::optional<int16_t> caseIdOf(std::string_view text) {
    int id = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (ec != std::errc() || end != text.data() + text.size() || id < 1 || id > 32767)
        return std::nullopt;
    return static_cast<int16_t>(id);
}

}  // namespace

std::string SensitivityFactor::name() const {
    for (const KindName& k : kKinds)
        if (k.kind == kind)
            return k.perCase ? std::string(k.name) + ":" + std::to_string(caseId)
                             : std::string(k.name);
    return "factor-" + std::to_string(static_cast<int>(kind));
}

std::optional<SensitivityFactor> SensitivityFactor::fromName(const std::string& name) {
    const std::string_view text(name);
    const size_t colon = text.find(':');
    const std::string_view head = text.substr(0, colon);
    for (const KindName& k : kKinds) {
        if (k.name != head || k.perCase != (colon != std::string_view::npos))
            continue;
        SensitivityFactor factor;
        factor.kind = k.kind;
        if (!k.perCase)
            return factor;
        const std::optional<int16_t> id = caseIdOf(text.substr(colon + 1));
        if (!id)
            return std::nullopt;
        factor.caseId = *id;
        return factor;
    }
    return std::nullopt;
}

bool SensitivityFactor::isRate() const {
    return kind == SensitivityFactorKind::DiscountRate ||
           kind == SensitivityFactorKind::IncomeTaxRate ||
           kind == SensitivityFactorKind::EscalationRates;
}

}  // namespace qvc
