// cRptBuilder: opening one report document and writing its body.

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "reports/ReportCodes.h"
#include "reports/ReportLines.h"
#include "reports/ReportPageFrame.h"
#include "reports/ReportSession.h"
#include "reports/cRptBuilder.h"
#include "reports/cRptDesignCaseInputs.h"
#include "reports/cRptStudyInputs.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparisons.h"

namespace qvc {

namespace {

bool isOneOf(const std::string& code, std::initializer_list<const char*> codes) {
    for (const char* c : codes)
        if (code == c)
            return true;
    return false;
}

template <typename T>
const T& required(const std::shared_ptr<const T>& object) {
    if (!object)
        throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
    return *object;
}

}  // namespace

void cRptBuilder::openAndBuild(Session& session, const std::string& subCode) {
    const ThreadState& state = threadState();
    doc::DocumentObject& d = docs();
    const std::string title = reports::reportTitleFor(subCode, m_Inputs.texts);
    const bool cashFlows = isOneOf(subCode, {"CF1", "CF2"});

    d.NewDocument(reports::reportFileName(m_Inputs.study.title, title), m_WorkFolder, "Untitled",
                  "", "", "", "", 1);
    reports::setDefaultFont(d);
    if (isOneOf(subCode, {"AD4", "CF1", "CF2", "TPW1", "TPW2"}))
        d.SetFontName("Arial");
    d.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    if (isOneOf(subCode, {"DC1", "DC2"}))
        d.SetOrientation(doc::code::kPortrait);
    else if (cashFlows)
        d.SetOrientation(doc::code::kLandscape);

    m_ReportTitle = title;
    reports::setPageHeader(d, m_Inputs, title, cashFlows ? "CF" : "");
    session.progress->setLabel(progressLabel());
    session.progress->refresh();

    const std::string infoCode = reports::generalInfoCodeFor(subCode, state.arrStudy);
    if (!infoCode.empty())
        reports::setGeneralInfo(d, m_Inputs, infoCode);
    buildBody(session, subCode);
    d.FinishDocument(true, 0);
}

void cRptBuilder::buildBody(Session& session, const std::string& subCode) {
    if (subCode == "SI")
        buildStudyInputs();
    else if (subCode == "DC1" || subCode == "DC2")
        buildDesignCases(session, subCode);
    else if (subCode.starts_with("LS"))
        buildLifeCycleSummary(session, subCode);
    else if (subCode.starts_with("AD"))
        buildAnalysisDetails(subCode);
    else if (subCode.starts_with("CF"))
        buildCashFlows(subCode);
    else if (subCode.starts_with("TPW"))
        buildTotPresWorth(subCode);
}

void cRptBuilder::buildStudyInputs() {
    const std::string failure = cRptStudyInputs(m_Inputs).setStudyTable(docs());
    if (!failure.empty())
        threadState().gErrMsg = failure;
}

void cRptBuilder::buildDesignCases(Session& session, const std::string& subCode) {
    doc::DocumentObject& d = docs();
    const long count = m_Inputs.cases.Count();
    long position = 0;
    for (const auto& entry : m_Inputs.cases) {
        ++position;
        reports::setDesignCaseInfo(d, m_Inputs, entry.second.Gen);
        writeCaseTables(entry.second, subCode);
        if (position < count)
            d.InsertBreak(doc::code::kBreakPage);
        session.progress->refresh();
    }
}

// The tables of one case; a list without items gets its note instead.
void cRptBuilder::writeCaseTables(const CaseSnapshot& designCase, const std::string& subCode) {
    const ResourceTexts& res = m_Inputs.texts;
    doc::DocumentObject& d = docs();
    cRptDesignCaseInputs tables(m_Inputs, designCase);
    if (subCode == "DC1") {
        if (designCase.Inv.isDimensioned())
            tables.setInvCostTable(d, "DC1");
        else
            reports::noteLine(d, res.gXstrDCNoInvTable);
        if (designCase.Loan.isDimensioned())
            tables.setLoanTable(d);
        else
            reports::noteLine(d, res.gXstrDCNoLoanTable);
        if (designCase.Ann.isDimensioned())
            tables.setAnnualCost(d, "DC1");
        else
            reports::noteLine(d, res.gXstrDCNoAnnOPTable);
        if (designCase.Other.isDimensioned())
            tables.setNONAnnualCost(d);
        else
            reports::noteLine(d, res.gXstrDCNoOtherOpTable);
        return;
    }
    if (designCase.Inv.isDimensioned() || designCase.Loan.isDimensioned())
        tables.setInvCostTable(d, "DC2");
    else
        reports::noteLine(d, res.gXstrDCNoInvTable + "\r\n" + res.gXstrDCNoLoanTable);
    if (designCase.Ann.isDimensioned())
        tables.setAnnualCost(d, "DC2");
    else
        reports::noteLine(d, res.gXstrDCNoAnnOPTable);
}

void cRptBuilder::buildLifeCycleSummary(Session& session, const std::string& subCode) {
    if (!m_Generators.lifeCycleSummary)
        return;
    std::unique_ptr<LifeCycleSummaryGenerator> generator = m_Generators.lifeCycleSummary(m_Inputs);
    doc::DocumentObject& d = docs();
    // The executive summary answers the study's question, so it comes first.
    generator->GenerateFirstTable(d, subCode);
    if (subCode != "LS7")
        generator->GenerateGraphs(d, subCode);
    session.progress->refresh();
    generator->GenerateSecondTable(d, subCode);
    if (isOneOf(subCode, {"LS1", "LS2", "LS5", "LS7"}))
        generator->Generate_ThirdTable(d, subCode);
}

void cRptBuilder::buildAnalysisDetails(const std::string& subCode) {
    if (!m_Generators.analysisDetails)
        return;
    std::unique_ptr<AnalysisDetailsGenerator> generator = m_Generators.analysisDetails(m_Inputs);
    doc::DocumentObject& d = docs();
    const int32_t count = required(m_Inputs.comparisons).Count();
    for (int32_t n = 1; n <= count; ++n) {
        m_CurrentIndex = n;
        generator->GenerateSummary(d, subCode, m_CurrentIndex);
        generator->GenerateDetailTable(d, subCode, m_CurrentIndex);
        if (n < count)
            d.InsertBreak(doc::code::kBreakPage);
    }
}

void cRptBuilder::buildCashFlows(const std::string& subCode) {
    if (!m_Generators.cashFlows)
        return;
    std::unique_ptr<CashFlowGenerator> generator = m_Generators.cashFlows(m_Inputs);
    doc::DocumentObject& d = docs();
    const tavlo::IAlternatives& alternatives = required(m_Inputs.alternatives);
    const int16_t count = alternatives.Count();

    // The case numbers in rank order (slot p holds the number of the case ranked p).
    m_CaseOrder.assign(static_cast<size_t>(count) + 1, 0);
    for (int16_t i = 1; i <= count; ++i) {
        const tavlo::IAlternative& alternative = alternatives.Item(i);
        const int16_t rank = alternative.Rank();
        if (rank < 1 || rank > count)
            throw rt::Error(rt::err::kSubscriptOutOfRange, "Subscript out of range");
        m_CaseOrder[static_cast<size_t>(rank)] = alternative.Number();
    }
    for (int32_t p = 1; p <= count; ++p) {
        m_RankPosition = p;
        for (int16_t i = 1; i <= count; ++i) {
            if (alternatives.Item(i).Number() == m_CaseOrder[static_cast<size_t>(p)]) {
                m_CurrentIndex = i;
                break;
            }
        }
        generator->setGraph(d, m_CurrentIndex, subCode);
        generator->setComponentCash(d, m_CurrentIndex, subCode, m_RankPosition);
        if (subCode == "CF1")
            generator->setAfterTaxCashFlows(d, m_CurrentIndex, m_RankPosition);
        generator->setPresentWorth(d, m_CurrentIndex, subCode, m_RankPosition);
        if (p < count)
            d.InsertBreak(doc::code::kBreakPage);
    }
}

void cRptBuilder::buildTotPresWorth(const std::string& subCode) {
    if (!m_Generators.totPresWorthProfiles)
        return;
    std::unique_ptr<TotPresWorthGenerator> generator = m_Generators.totPresWorthProfiles(m_Inputs);
    doc::DocumentObject& d = docs();
    generator->setGraph(d);
    generator->setPWtable(d, subCode);
}

void cRptBuilder::buildTextFile(const std::string& subCode) {
    if (!m_Generators.asciiCashFlow)
        return;
    std::unique_ptr<AsciiCashFlowGenerator> generator = m_Generators.asciiCashFlow(m_Inputs);
    const TextFileOutcome outcome = subCode == "ACF1" ? generator->BuildITPvtSectorCashFlow()
                                                      : generator->BuildOtherASCIICashFlow();
    ThreadState& state = threadState();
    if (outcome.status != 0)
        state.gErrCode = outcome.status;
    if (!outcome.errorRecord.empty())
        state.gErrMsg = outcome.errorRecord;
    m_TextFileWritten = m_TextFileWritten || outcome.written;
    if (!outcome.path.empty())
        m_TextFilePath = outcome.path;
}

}  // namespace qvc
