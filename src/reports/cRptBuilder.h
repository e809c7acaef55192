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
// The builder is the one part of the reports that reads the per-thread state:
// it prepares strAnalysisType, strAlternativeType and gGraph in the report
// state, gathers everything the reports read into one ReportInputs
// (reports/ReportInputsReader.h) and hands it to the page frame and to every
// generator. It clears gErrCode and gErrMsg at the start of a build and leaves
// the text cash-flow writer's status and error record in them. UI services
// (viewer, progress window, message box, printer) come from qvc::ui::Services.
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

    // The result-report factories used by this builder (defaultReportGenerators()
    // unless replaced).
    ReportGenerators& generators() { return m_Generators; }

  private:
    struct Session;

    bool build(Session& session, int16_t intAction);
    bool openViewer(Session& session);
    void openProgress(Session& session);
    bool finish(Session& session, int16_t intAction);
    bool finishTextFileOnly(Session& session);
    bool printAll(Session& session, bool withTextFile);
    bool showAll(Session& session, bool withTextFile);
    void prepareStudyTexts();
    void openAndBuild(Session& session, const std::string& subCode);
    void buildBody(Session& session, const std::string& subCode);
    void buildStudyInputs();
    void buildDesignCases(Session& session, const std::string& subCode);
    void writeCaseTables(const CaseSnapshot& designCase, const std::string& subCode);
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
    ReportInputs m_Inputs;
    // The text cash-flow file of this build: written (and where).
    bool m_TextFileWritten = false;
    std::string m_TextFilePath;
    std::string m_ReportTitle;
    int32_t m_CurrentIndex = 0;
    std::vector<int32_t> m_CaseOrder;  // design-case numbers by rank position (slot 0 unused)
    int32_t m_RankPosition = 0;
    std::string m_WorkFolder;
};

}  // namespace qvc
