#include "reports/cRptBuilder.h"

#include <cmath>

#include "common/ErrorMessage.h"
#include "common/ErrorRecord.h"
#include "common/ResourceStrings.h"
#include "common/StudySettings.h"
#include "common/ThreadState.h"
#include "qvc/CalcStatus.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/ui/Services.h"
#include "reports/ReportCodes.h"
#include "reports/ReportFolder.h"
#include "reports/ReportInputsReader.h"
#include "reports/ReportSession.h"
#include "reports/ReportState.h"

namespace qvc {

namespace {

constexpr const char* kBuildTag = " # BuildReports # cRptBuilder #";
constexpr const char* kProgressCaption = "Report Status";

// Int(100 / n * k) for n > 0, 100 for a single sub-code.
int32_t progressValue(int n, int k) {
    if (n <= 0)
        return 100;
    return static_cast<int32_t>(std::floor(100.0 / n * k));
}

}  // namespace

cRptBuilder::cRptBuilder()
    : m_Doc(std::make_shared<doc::DocumentObject>()), m_Generators(defaultReportGenerators()) {
    // The reports save after every table; writing each file once at its end
    // keeps a large build from rewriting growing files.
    m_Doc->SetDeferredWrites(true);
    try {
        AssignResourceStrings();
    } catch (...) {
        threadState().gErrMsg = errorRecord("Class_Initialize", "cRptBuilder");
    }
}

cRptBuilder::~cRptBuilder() {
    if (m_Doc && m_Doc->attachedWindow())
        m_Doc->AttachWindow(nullptr, 0);
}

doc::DocumentObject& cRptBuilder::docs() {
    if (!m_Doc)
        throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
    return *m_Doc;
}

bool cRptBuilder::BuildReports(int16_t intAction) {
    Session session;
    bool result = false;
    try {
        result = build(session, intAction);
    } catch (...) {
        threadState().gErrMsg = currentErrorRecord(kBuildTag);
        result = false;
    }
    // The viewer and the progress window never outlive the build, and the
    // viewer never keeps a reference to this builder's document.
    reportState().gGraph = nullptr;
    m_Inputs.graph = nullptr;
    session.release();
    if (m_Doc && m_Doc->attachedWindow())
        m_Doc->AttachWindow(nullptr, 0);
    return result;
}

void cRptBuilder::prepareStudyTexts() {
    const auto& study = threadState().arrStudy;
    const ResourceTexts& res = texts();
    ReportState& rs = reportState();
    const std::string& analysis = study[StudyField::TypeOfAnalysis];
    if (analysis == "0")
        rs.strAnalysisType = res.gXstrPvtLC;
    else if (analysis == "1")
        rs.strAnalysisType = res.gXstrPLC;
    else if (analysis == "2")
        rs.strAnalysisType = res.gXstrSPB;
    else if (analysis == "3")
        rs.strAnalysisType = res.gXstrSimpleCF;
    else if (analysis.empty())
        rs.strAnalysisType.clear();
    const std::string& alternatives = study[StudyField::TypeOfAlternatives];
    if (alternatives == "0")
        rs.strAlternativeType = res.gXstrMut;
    else if (alternatives == "1")
        rs.strAlternativeType = res.gXstrIndependent;
    else if (alternatives.empty())
        rs.strAlternativeType.clear();
}

bool cRptBuilder::build(Session& session, int16_t intAction) {
    ThreadState& state = threadState();

    state.gErrMsg.clear();
    state.gErrCode = 0;
    prepareStudyTexts();
    m_WorkFolder = reports::reportFolder(state.StrWorkPath);
    m_TextFileWritten = false;
    m_TextFilePath.clear();

    if (!openViewer(session))
        return false;
    m_Inputs = reports::readReportInputs();
    const std::vector<std::string> subCodes = reports::subCodesFor(sReportTypes, state.arrStudy);
    session.textFileOnly = sReportTypes == "ACF";
    openProgress(session);

    const int n = static_cast<int>(subCodes.size()) - 1;
    for (int k = 0; k <= n; ++k) {
        const std::string& subCode = subCodes[static_cast<size_t>(k)];
        if (reports::isTextFileCode(subCode))
            buildTextFile(subCode);
        else if (!subCode.empty())
            openAndBuild(session, subCode);
        session.progress->setValue(progressValue(n, k));
        session.progress->refresh();
    }
    return finish(session, intAction);
}

// Loads the viewer hidden and attaches the document to it; false (after
// telling the person) when the document cannot be shown.
bool cRptBuilder::openViewer(Session& session) {
    const ResourceTexts& res = texts();
    session.messages = ui::Services::messageBox();
    session.viewer = ui::Services::reportViewer();
    session.viewer->loadHidden();
    doc::DocumentObject& d = docs();
    if (d.AttachWindow(session.viewer->documentView(), session.viewer->ownerHandle()) == 0) {
        session.messages->show(res.gXstrReports + " " + res.gXstrCanNotGen, ui::mb::kInformation,
                               res.gXstrReports);
        return false;
    }
    ReportState& rs = reportState();
    rs.gGraph = session.viewer->graphSurface();
    if (!rs.gGraph)
        session.messages->show(res.gXstrGraphs, 0, "");
    session.viewer->setDocument(d);
    return true;
}

void cRptBuilder::openProgress(Session& session) {
    docs().SetRedraw(false);
    session.progress = ui::Services::progressWindow();
    session.progress->setValue(0);
    session.progress->setLabel(progressLabel());
    session.progress->setCaption(kProgressCaption);
    session.progress->showNonModal();
    session.progressOpen = true;
    session.progress->refresh();
}

std::string cRptBuilder::progressLabel() const {
    const ResourceTexts& res = texts();
    return res.gXstrPleaseWait + " " + m_ReportTitle + " " + res.gXstrReportgenerating;
}

void cRptBuilder::completeProgress(Session& session) {
    session.progress->setValue(100);
    session.progress->refresh();
    session.progress->setLabel(texts().gXstrDone);
    session.progress->refresh();
    session.progress->unload();
    session.progressOpen = false;
}

bool cRptBuilder::finish(Session& session, int16_t intAction) {
    // Every document is complete: write what is still pending, and let the
    // viewer's saving and printing write at once again.
    if (m_Doc) {
        m_Doc->FlushWrites();
        m_Doc->SetDeferredWrites(false);
    }
    if (session.textFileOnly)
        return finishTextFileOnly(session);

    doc::DocumentObject& d = docs();
    const int32_t count = d.DocumentCount();
    for (int32_t i = 1; i <= count; ++i)
        d.ActivateDocument(i);
    if (count >= 1)
        d.ActivateDocument(1);
    d.SetRedraw(true);
    const bool withTextFile = sReportTypes.find("ACF") != std::string::npos;
    if (intAction == 1)
        return printAll(session, withTextFile);
    return showAll(session, withTextFile);
}

bool cRptBuilder::finishTextFileOnly(Session& session) {
    completeProgress(session);
    // The viewer lets go of the document before the document is released.
    session.unloadViewer();
    m_Doc.reset();
    if (m_TextFileWritten) {
        showTextFileWritten(session);
        return true;
    }
    showTextFileFailure(session);
    return false;
}

// Prints every document without showing the viewer.
bool cRptBuilder::printAll(Session& session, bool withTextFile) {
    doc::DocumentObject& d = docs();
    if (withTextFile) {
        if (m_TextFileWritten)
            showTextFileWritten(session);
        else
            showTextFileFailure(session);
    }
    const int32_t count = d.DocumentCount();
    for (int32_t k = 1; k <= count; ++k) {
        d.ActivateDocument(k);
        completeProgress(session);
        d.PrintDocument(0);
    }
    if (count == 0)
        completeProgress(session);
    session.unloadViewer();
    return true;
}

// Shows the viewer modally; the viewer tells the person about a written text
// file when it is shown.
bool cRptBuilder::showAll(Session& session, bool withTextFile) {
    if (withTextFile && m_TextFileWritten)
        session.viewer->setActivationNotice(texts().gXstrASCIIFile + " " + m_TextFilePath);
    completeProgress(session);
    session.viewer->showModal();
    session.unloadViewer();
    if (!withTextFile || m_TextFileWritten)
        return true;
    showTextFileFailure(session);
    return false;
}

void cRptBuilder::showTextFileWritten(Session& session) {
    session.messages->show(texts().gXstrASCIIFile + " " + m_TextFilePath, 0, "");
}

void cRptBuilder::showTextFileFailure(Session& session) {
    const ThreadState& state = threadState();
    const ResourceTexts& res = texts();
    if (state.gErrCode == CalcStatus::TextFileNotWritable)
        session.messages->show(res.gStrASCIIFilePathEXE, 0, "");
    else if (state.gErrCode == CalcStatus::TextFileFolderMissing)
        session.messages->show(res.gStrASCIIDirEXE, 0, "");
    else
        session.messages->show(FormatErrorMessage(state.gErrMsg), 0, "");
}

}  // namespace qvc
