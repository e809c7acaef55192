#include "RecordingEngine.h"

#include <charconv>

#include "qvc/runtime/Error.h"

namespace qvc::test {

std::string numberText(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

namespace {

std::string valueText(double v) {
    return numberText(v);
}
std::string valueText(int16_t v) {
    return std::to_string(v);
}
std::string valueText(bool v) {
    return v ? "True" : "False";
}

template <typename T>
std::string args(int16_t item, T value) {
    return "(" + std::to_string(item) + ", " + valueText(value) + ")";
}

class RecordingAlternative : public tavlo::IAlternative {
  public:
    RecordingAlternative(CallLog& log, int position)
        : log_(log), prefix_("Alt" + std::to_string(position) + ".") {}

    int16_t Number() const override { return number_; }
    void setNumber(int16_t number) override {
        number_ = number;
        log_.push_back(prefix_ + "Number = " + std::to_string(number));
    }

#define QVC_RECORD_SETTER(Name, Type)                        \
    void set##Name(int16_t item, Type value) override {      \
        log_.push_back(prefix_ + #Name + args(item, value)); \
    }
    QVC_RECORD_SETTER(InvestmentCost, double)
    QVC_RECORD_SETTER(InvestmentYear, int16_t)
    QVC_RECORD_SETTER(InvestmentEscalation, double)
    QVC_RECORD_SETTER(TaxExempt, bool)
    QVC_RECORD_SETTER(DepreciationMethod, int16_t)
    QVC_RECORD_SETTER(DepreciationLife, int16_t)
    QVC_RECORD_SETTER(UsefulLife, int16_t)
    QVC_RECORD_SETTER(Salvage, double)
    QVC_RECORD_SETTER(LoanRate, double)
    QVC_RECORD_SETTER(LoanFraction, double)
    QVC_RECORD_SETTER(PaymentPlan, int16_t)
    QVC_RECORD_SETTER(LoanTerm, int16_t)
    QVC_RECORD_SETTER(AnnualCost, double)
    QVC_RECORD_SETTER(AnnualStartYear, int16_t)
    QVC_RECORD_SETTER(AnnualYears, int16_t)
    QVC_RECORD_SETTER(AnnualEscalation, double)
    QVC_RECORD_SETTER(OtherCost, double)
    QVC_RECORD_SETTER(OtherStartYear, int16_t)
    QVC_RECORD_SETTER(OtherTimes, int16_t)
    QVC_RECORD_SETTER(OtherInterval, int16_t)
    QVC_RECORD_SETTER(OtherEscalation, double)
#undef QVC_RECORD_SETTER

    int16_t Rank() const override {
        return 0;
    }
    double TotalPresentWorth() const override {
        return 0;
    }
    double BeforeTaxTPW() const override {
        return 0;
    }
    double FirstCost() const override {
        return 0;
    }
    double AnnualOperatingCost() const override {
        return 0;
    }
    double CashInvestmentAt(int16_t) const override {
        return 0;
    }
    double LoanPrincipalAt(int16_t) const override {
        return 0;
    }
    double LoanInterestAt(int16_t) const override {
        return 0;
    }
    double TotalInvestmentAt(int16_t) const override {
        return 0;
    }
    double AnnualOpCostAt(int16_t) const override {
        return 0;
    }
    double NonAnnualOpCostAt(int16_t) const override {
        return 0;
    }
    double TotalOpCostAt(int16_t) const override {
        return 0;
    }
    double BeforeTaxCashFlowAt(int16_t) const override {
        return 0;
    }
    double NetIncomeAt(int16_t) const override {
        return 0;
    }
    double DepreciationAt(int16_t) const override {
        return 0;
    }
    double TaxableIncomeAt(int16_t) const override {
        return 0;
    }
    double TaxAt(int16_t) const override {
        return 0;
    }
    double AfterTaxCashFlowAt(int16_t) const override {
        return 0;
    }
    double BookValueAt(int16_t) const override {
        return 0;
    }
    double PWInvestmentAt(int16_t) const override {
        return 0;
    }
    double PWOpCostAt(int16_t) const override {
        return 0;
    }
    double PWCashFlowAt(int16_t) const override {
        return 0;
    }

  private:
    CallLog& log_;
    std::string prefix_;
    int16_t number_ = 0;
};

class RecordingComparison : public tavlo::IComparison {
  public:
    int16_t BaseCase() const override { return 0; }
    int16_t Challenger() const override { return 0; }
    int16_t Winner() const override { return 0; }
    double AdditionalFirstCost() const override { return 0; }
    double NPWSavings() const override { return 0; }
    double IRR() const override { return 0; }
    double BeforeTaxIRR() const override { return 0; }
    double AIRR() const override { return 0; }
    double PaybackYears() const override { return 0; }
    double SIR(int16_t) const override { return 0; }
    double AddInvCostAt(int16_t) const override { return 0; }
    double CumAddInvCostAt(int16_t) const override { return 0; }
    double OpCostSavingsAt(int16_t) const override { return 0; }
    double CumOpCostSavingsAt(int16_t) const override { return 0; }
    double NPWSavingsAt(int16_t) const override { return 0; }
};

template <typename Member>
Member& member(std::vector<std::unique_ptr<Member>>& items, int16_t index) {
    if (index < 1 || index > static_cast<int>(items.size()))
        throw rt::Error(9, "Subscript out of range");
    return *items[static_cast<size_t>(index - 1)];
}

}  // namespace

class RecordingEngine::Alternatives_ : public tavlo::IAlternatives {
  public:
    explicit Alternatives_(CallLog& log) : log_(log) {}
    void Initialize(int16_t count) override {
        log_.push_back("Alternatives.Initialize(" + std::to_string(count) + ")");
        items_.clear();
        for (int i = 1; i <= count; ++i)
            items_.push_back(std::make_unique<RecordingAlternative>(log_, i));
    }
    tavlo::IAlternative& Item(int16_t index) override { return member(items_, index); }
    const tavlo::IAlternative& Item(int16_t index) const override {
        return member(const_cast<Alternatives_*>(this)->items_, index);
    }
    int16_t Count() const override { return static_cast<int16_t>(items_.size()); }

  private:
    CallLog& log_;
    std::vector<std::unique_ptr<RecordingAlternative>> items_;
};

class RecordingEngine::Comparisons_ : public tavlo::IComparisons {
  public:
    explicit Comparisons_(CallLog& log) : log_(log) {}
    void Initialize(int16_t count) override {
        log_.push_back("Comparisons.Initialize(" + std::to_string(count) + ")");
        items_.clear();
        for (int i = 1; i <= count; ++i)
            items_.push_back(std::make_unique<RecordingComparison>());
    }
    tavlo::IComparison& Item(int16_t index) override { return member(items_, index); }
    const tavlo::IComparison& Item(int16_t index) const override {
        return member(const_cast<Comparisons_*>(this)->items_, index);
    }
    int16_t Count() const override { return static_cast<int16_t>(items_.size()); }

  private:
    CallLog& log_;
    std::vector<std::unique_ptr<RecordingComparison>> items_;
};

RecordingEngine::RecordingEngine()
    : alternatives_(std::make_unique<Alternatives_>(calls)),
      comparisons_(std::make_unique<Comparisons_>(calls)) {}

RecordingEngine::~RecordingEngine() = default;

void RecordingEngine::setAnalysisType(int16_t type) {
    analysisType_ = type;
    calls.push_back("AnalysisType = " + std::to_string(type));
}
void RecordingEngine::setAlternativeType(int16_t type) {
    alternativeType_ = type;
    calls.push_back("AlternativeType = " + std::to_string(type));
}
void RecordingEngine::setAnalysisPeriod(int16_t years) {
    period_ = years;
    calls.push_back("AnalysisPeriod = " + std::to_string(years));
}
void RecordingEngine::setDiscountRate(double rate) {
    discount_ = rate;
    calls.push_back("DiscountRate = " + numberText(rate));
}
void RecordingEngine::setIncomeTaxRate(double rate) {
    taxRate_ = rate;
    calls.push_back("IncomeTaxRate = " + numberText(rate));
}
void RecordingEngine::setIncomeTaxFlag(bool considered) {
    taxFlag_ = considered;
    calls.push_back(std::string("IncomeTaxFlag = ") + (considered ? "True" : "False"));
}

tavlo::IAlternatives& RecordingEngine::Alternatives() {
    return *alternatives_;
}
const tavlo::IAlternatives& RecordingEngine::Alternatives() const {
    return *alternatives_;
}
tavlo::IComparisons& RecordingEngine::Comparisons() {
    return *comparisons_;
}
const tavlo::IComparisons& RecordingEngine::Comparisons() const {
    return *comparisons_;
}

bool RecordingEngine::ValidateInputs() {
    calls.push_back("ValidateInputs");
    return true;
}
bool RecordingEngine::Calculate() {
    calls.push_back("Calculate");
    return true;
}
void RecordingEngine::setOnError(tavlo::ErrorHandler) {
    calls.push_back("setOnError");
}

CallLog RecordingEngine::callsOf(int position) const {
    const std::string prefix = "Alt" + std::to_string(position) + ".";
    CallLog out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0)
            out.push_back(c.substr(prefix.size()));
    return out;
}

CallLog RecordingEngine::callsStartingWith(const std::string& prefix) const {
    CallLog out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0)
            out.push_back(c);
    return out;
}

}  // namespace qvc::test
