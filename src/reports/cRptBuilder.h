#pragma once
// The report hub. A caller (the calculator after a run, the project component
// for input reports) sets sReportTypes, the report codes joined by "-" ("SI",
// "DC", "DC1", "DC2", "LS", "AD", "CF", "TPW", "ACF"), and calls BuildReports
// once. The builder turns each code into a sub-code from the study's settings
// (reports/ReportCodes.h), opens one report document per sub-code in the work
// folder, writes the page frame and general information, has the report
// generators fill it, keeps the progress window current, and finally shows the
// documents in the report viewer (or prints them without showing).
//
// Reads the thread's arrStudy, colCases, colAlternatives, colComparisons and the
// path settings; writes strAnalysisType, strAlternativeType, gGraph and reads
// gAsciiFileWritten in the report state; clears gErrCode and gErrMsg at the
// start of a build. UI services (viewer, progress window, message box, printer)
// come from qvc::ui::Services.
//
// Failures never escape BuildReports: the record
// "number#description # BuildReports # cRptBuilder #" is left in gErrMsg and
// the result is false. One thread; one build per object.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"
#include "reports/ReportGenerator.h"

namespace qvc::ui {
class ProgressWindow;
class ReportViewer;
}  // namespace qvc::ui

namespace qvc {

class cRptBuilder {
  public:
    // Creates the document and loads the resource texts once per thread (a
    // failure to load is left in gErrMsg; the reports then carry empty texts).
    cRptBuilder();
    ~cRptBuilder();
    cRptBuilder(const cRptBuilder&) = delete;
    cRptBuilder& operator=(const cRptBuilder&) = delete;

    // The report request.
    std::string sReportTypes;

    // The report document: null after a text-file-only request.
    const std::shared_ptr<doc::DocumentObject>& document() const { return m_Doc; }
    void setDocument(std::shared_ptr<doc::DocumentObject> docs) { m_Doc = std::move(docs); }

    // intAction 1 builds and prints every document without showing the viewer;
    // any other value shows the viewer modally and returns when it is closed.
    // True when the documents were built (and, for a request of exactly "ACF",
    // when the text file was written).
    bool BuildReports(int16_t intAction);

    // Page frame and general information on this builder's active document
    // (see reports/ReportPageFrame.h); the page header uses the title of the
    // report being built.
    void setDefaultFont();
    void setPageHeader(const std::string& code);
    void setGeneralInfo(const std::string& code);
    void setTextBox(const std::string& text);

    // The result-report factories used by this builder (defaultReportGenerators()
    // unless replaced).
    ReportGenerators& generators() { return m_Generators; }

    const std::string& currentReportTitle() const { return m_ReportTitle; }

  private:
    struct Session;

    bool build(Session& session, int16_t intAction);
    bool finish(Session& session, int16_t intAction);
    void prepareStudyTexts();
    void openAndBuild(Session& session, const std::string& subCode);
    void buildBody(Session& session, const std::string& subCode);
    void buildDesignCases(Session& session, const std::string& subCode);
    void buildLifeCycleSummary(Session& session, const std::string& subCode);
    void buildAnalysisDetails(const std::string& subCode);
    void buildCashFlows(const std::string& subCode);
    void buildTotPresWorth(const std::string& subCode);
    void buildTextFile(const std::string& subCode);
    std::string progressLabel() const;
    void completeProgress(Session& session);
    void showTextFileWritten(Session& session);
    void showTextFileFailure(Session& session);
    doc::DocumentObject& docs();

    std::shared_ptr<doc::DocumentObject> m_Doc;
    ReportGenerators m_Generators;
    std::string m_ReportTitle;
    int32_t m_CurrentIndex = 0;
    std::vector<int32_t> m_CaseOrder;  // design-case numbers by rank position (slot 0 unused)
    int32_t m_RankPosition = 0;
    std::string m_WorkFolder;
};

}  // namespace qvc
