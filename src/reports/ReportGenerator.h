#pragma once
// The seam between the report builder and the result reports.
//
// cRptBuilder owns the order of the calls: for each result sub-code it opens a
// report document (page frame and general information included), creates one
// generator through the matching factory below, calls the operations in the
// order listed with each interface, releases the generator and finishes the
// document. A generator only writes its tables and charts at the insertion point
// of `docs` (the active document) and must not throw: a table or chart that
// fails is replaced by the in-report failure note (reports::writeFailureNote)
// and the generator returns normally. Whatever does escape ends the whole build
// with the record "number#description # BuildReports # cRptBuilder #".
//
// To add a report: derive a class (cRptLifeCycleSummary, cRptAnalysisDetails,
// cRptCashFlows, cRptTotPresWorthProfiles, cRptASCIICashFlow) from its interface
// here and return it from its factory in DefaultReportGenerators.cpp. A factory
// that is empty (the default until the report exists) makes the builder open the
// document with its page frame and general information only; for the text
// cash-flow file it writes nothing. Tests may install their own factories on a
// builder (cRptBuilder::generators()).
//
// What the generators read comes with the ReportInputs their factory is given
// (the study, the case snapshots, the engine's results, the texts, the graph
// surface); the inputs outlive the generator. A generator reads no per-thread
// state and writes none: the text cash-flow writer returns its outcome.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "qvc/document/DocumentObject.h"
#include "reports/ReportInputs.h"

namespace qvc {

// "LS1" .. "LS7". Calls: GenerateGraphs (not for "LS7"), GenerateFirstTable,
// GenerateSecondTable, Generate_ThirdTable (only "LS1", "LS2", "LS5", "LS7").
class LifeCycleSummaryGenerator {
  public:
    virtual ~LifeCycleSummaryGenerator() = default;
    virtual void GenerateGraphs(doc::DocumentObject& docs, const std::string& subCode) = 0;
    virtual void GenerateFirstTable(doc::DocumentObject& docs, const std::string& subCode) = 0;
    virtual void GenerateSecondTable(doc::DocumentObject& docs, const std::string& subCode) = 0;
    virtual void Generate_ThirdTable(doc::DocumentObject& docs, const std::string& subCode) = 0;
};

// "AD1" .. "AD4". For each comparison index = 1 .. colComparisons->Count():
// GenerateSummary, GenerateDetailTable; a page break between comparisons.
class AnalysisDetailsGenerator {
  public:
    virtual ~AnalysisDetailsGenerator() = default;
    virtual void GenerateSummary(doc::DocumentObject& docs, const std::string& subCode,
                                 int32_t& index) = 0;
    virtual void GenerateDetailTable(doc::DocumentObject& docs, const std::string& subCode,
                                     int32_t& index) = 0;
};

// "CF1", "CF2" (landscape pages). For each rank position p = 1 .. number of
// design cases, with index = the position in colAlternatives of the case ranked
// p: setGraph, setComponentCash, setAfterTaxCashFlows (only "CF1"),
// setPresentWorth; a page break between cases.
class CashFlowGenerator {
  public:
    virtual ~CashFlowGenerator() = default;
    virtual void setGraph(doc::DocumentObject& docs, int32_t& index,
                          const std::string& subCode) = 0;
    virtual void setComponentCash(doc::DocumentObject& docs, int32_t& index,
                                  const std::string& subCode, int32_t& rankPosition) = 0;
    virtual void setAfterTaxCashFlows(doc::DocumentObject& docs, int32_t& index,
                                      int32_t& rankPosition) = 0;
    virtual void setPresentWorth(doc::DocumentObject& docs, int32_t& index,
                                 const std::string& subCode, int32_t& rankPosition) = 0;
};

// "TPW1", "TPW2". Calls: setGraph, setPWtable.
class TotPresWorthGenerator {
  public:
    virtual ~TotPresWorthGenerator() = default;
    virtual void setGraph(doc::DocumentObject& docs) = 0;
    virtual void setPWtable(doc::DocumentObject& docs, const std::string& subCode) = 0;
};

// What writing the text cash-flow file came to: written (with its path), or
// not, with the status the builder leaves for the host (CalcStatus numbers, 0
// for none) and the error record.
struct TextFileOutcome {
    bool written = false;
    std::string path;
    int16_t status = 0;
    std::string errorRecord;
};

// "ACF1" (private sector with income taxes): BuildITPvtSectorCashFlow;
// "ACF2": BuildOtherASCIICashFlow. No report document is opened for them.
class AsciiCashFlowGenerator {
  public:
    virtual ~AsciiCashFlowGenerator() = default;
    virtual TextFileOutcome BuildITPvtSectorCashFlow() = 0;
    virtual TextFileOutcome BuildOtherASCIICashFlow() = 0;
};

// One factory per result report; an empty one means "not available". Each
// is given the build's inputs, which outlive the generator it makes.
template <typename Generator>
using GeneratorFactory = std::function<std::unique_ptr<Generator>(const ReportInputs&)>;

struct ReportGenerators {
    GeneratorFactory<LifeCycleSummaryGenerator> lifeCycleSummary;
    GeneratorFactory<AnalysisDetailsGenerator> analysisDetails;
    GeneratorFactory<CashFlowGenerator> cashFlows;
    GeneratorFactory<TotPresWorthGenerator> totPresWorthProfiles;
    GeneratorFactory<AsciiCashFlowGenerator> asciiCashFlow;
};

// The generators the component ships with (DefaultReportGenerators.cpp).
ReportGenerators defaultReportGenerators();

}  // namespace qvc
