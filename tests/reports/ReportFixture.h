#pragma once
// A fresh project, work folder and output folder per test, the shipped English
// resource texts, and recording UI services. Studies and cases are stored
// through the project component and loaded the way a calculation run or the
// input reports load them: arrStudy through the calculator, the case snapshots
// in colCases through the database layer.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "RtfReader.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "project/ProjectSchema.h"
#include "project/cDBoperations.h"
#include "qvc/ResManager.h"
#include "qvc/cORVCalculator.h"
#include "qvc/cORVProject.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessProgressWindow.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"
#include "reports/ReportInputsReader.h"
#include "reports/ReportState.h"
#include "reports/cRptBuilder.h"

namespace qvc::test {

namespace fs = std::filesystem;

// Prints by remembering which document was active and reading its file.
struct RecordingPrinter : ui::Printer {
    std::vector<std::string> printed;  // file names, in order
    std::vector<bool> dialogs;
    void print(const doc::DocumentObject& docs, int32_t index, bool showDialog) override {
        printed.push_back(docs.document(index).FileName());
        dialogs.push_back(showDialog);
    }
};

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        resetReportState();
        ui::Services::reset();
        messages = std::make_shared<ui::HeadlessMessageBox>();
        progress = std::make_shared<ui::HeadlessProgressWindow>(0);
        viewer = std::make_shared<ui::HeadlessReportViewer>();
        ui::Services::setMessageBox(messages);
        ui::Services::setProgressWindow(progress);
        ui::Services::setReportViewer(viewer);

        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(QVC_TEST_OUTPUT_DIR) / "reports" /
              (std::string(info->test_suite_name()) + "." + info->name());
        fs::remove_all(dir);
        work = dir / "work";
        out = dir / "out";
        fs::create_directories(work);
        fs::create_directories(out);
        ui::Services::setOutputFolder(out);

        ResManager().SetResourceDB(QVC_RESOURCE_DB);
        AssignResourceStrings();
        project::createProjectDatabase((work / "ORV30.mdb").string());
        prj = std::make_unique<cORVProject>();
        prj->setWorkPath(work.string(), "", "");
        prj->setProjectPath(dir.string(), "Riverside Campus", "QVComponents",
                            "acme  engineering of the west", "17.0", dir.string());
    }
    void TearDown() override {
        prj.reset();
        ui::Services::reset();
        resetThreadState();
        resetReportState();
    }

    static cStudy study(const std::string& title, int16_t analysis, int16_t alternatives,
                        bool taxes) {
        cStudy s;
        s.StudyTitle = title;
        s.StudyDescription = "Comparison of three central plant options";
        s.TypeOfAnalysis = analysis;
        s.TypeOfAlternative = alternatives;
        s.BaseYear = 2026;
        s.CurSymbol = "$";
        s.Lifecycle = 25;
        s.DiscountRate = 7.0;
        s.CalcIncomeTaxes = taxes;
        s.IncomeTaxes = taxes ? 26.0 : 0.0;
        return s;
    }

    // Refurbish: 2 investments, 1 loan, 2 annual costs, 1 other cost.
    static cDesignCase fullCase() {
        cDesignCase c;
        c.CaseTitle = "Refurbish the existing plant";
        c.CaseShortTitle = "Refurbish";
        c.CaseDes = "Overhaul the chillers now and replace them in year 12";
        c.setInvItemName(1, "Chiller overhaul");
        c.setInvCost(1, 185000);
        c.setInvYear(1, 0);
        c.setInvEscRate(1, 0);
        c.setInvTaxExempt(1, true);
        c.setSalvageValue(1, 12345.5);
        c.setInvDepMethod(1, 4);
        c.setInvDepLife(1, 10);
        c.setInvUsefulLife(1, 12);
        c.setInvItemName(2, "Replacement chillers");
        c.setInvCost(2, 1540000);
        c.setInvYear(2, 12);
        c.setInvEscRate(2, 2.5);
        c.setSalvageValue(2, 90000);
        c.setInvDepMethod(2, 7);
        c.setInvDepLife(2, 15);
        c.setInvUsefulLife(2, 13);
        c.setLoanItemName(1, "Plant loan");
        c.setLoanYear(1, 0);
        c.setLoanTotlaInvest(1, 185000);
        c.setLoanPercent(1, 80);
        c.setLoanTerm(1, 10);
        c.setLoanIntRate(1, 6.5);
        c.setLoanPayPlan(1, 1);
        c.setAnnOpCostName(1, "Electricity");
        c.setAnnOpCost(1, 148500);
        c.setAnnOpCostStartYear(1, 1);
        c.setAnnOpCostNumYears(1, 25);
        c.setAnnOpCostEscRate(1, 2.5);
        c.setAnnOpCostName(2, "Maintenance contract");
        c.setAnnOpCost(2, 26800);
        c.setAnnOpCostStartYear(2, 1);
        c.setAnnOpCostNumYears(2, 25);
        c.setAnnOpCostEscRate(2, 3);
        c.setOtherOpCostName(1, "Cooling tower refurbishment");
        c.setOtherOpCost(1, 28000);
        c.setOtherOpCostStartYear(1, 6);
        c.setOtherOpCostTimes(1, 3);
        c.setOtherOpCostInterval(1, 6);
        c.setOtherOpCostEscRate(1, 2);
        return c;
    }

    static cDesignCase emptyCase(const std::string& title) {
        cDesignCase c;
        c.CaseTitle = title;
        c.CaseShortTitle = "Empty";
        c.CaseDes = "";
        return c;
    }

    int16_t addStudy(const cStudy& s) {
        prj->addStudyDetails(s);
        EXPECT_EQ(prj->getErrorMsg(), "");
        return prj->GetMaxStudyID();
    }
    int16_t addCase(int16_t studyId, cDesignCase c) {
        c.StudyID = studyId;
        prj->addCaseDetails(studyId, c);
        EXPECT_EQ(prj->getErrorMsg(), "");
        return prj->GetMaxCaseID();
    }

    // arrStudy through the calculator, then the snapshots of `cases` in order.
    void loadForReports(int16_t studyId, const std::vector<int16_t>& cases) {
        {
            cORVCalculator calc;
            calc.StudyID = studyId;
            calc.getStudyDetails();
        }
        ThreadState& s = threadState();
        ASSERT_EQ(s.gErrMsg, "");
        s.colCases.Clear();
        int position = 0;
        for (int16_t caseId : cases) {
            cDBoperations db;
            db.getCaseRecords(studyId, caseId, s.arrCaseGen, s.arrInvCosts, s.arrLoan,
                              s.arrAnOpCost, s.arrOtherCost);
            ASSERT_EQ(db.ErrorText(), "");
            s.colCases.Add(CaseSnapshot::of(s.arrCaseGen, s.arrInvCosts, s.arrLoan, s.arrAnOpCost,
                                            s.arrOtherCost),
                           std::to_string(++position));
            s.arrCaseGen.erase();
            s.arrInvCosts.erase();
            s.arrLoan.erase();
            s.arrAnOpCost.erase();
            s.arrOtherCost.erase();
        }
    }

    bool build(const std::string& request, int16_t action = 0) {
        cRptBuilder builder;
        builder.sReportTypes = request;
        return builder.BuildReports(action);
    }

    // The files the viewer saved, by file name.
    std::vector<std::string> savedNames() const {
        std::vector<std::string> names;
        for (const fs::path& p : viewer->savedFiles())
            names.push_back(p.filename().string());
        return names;
    }
    RtfDocument readSaved(size_t i) const { return readRtfFile(viewer->savedFiles().at(i)); }

    const ResourceTexts& res() const { return texts(); }

    std::shared_ptr<ui::HeadlessMessageBox> messages;
    std::shared_ptr<ui::HeadlessProgressWindow> progress;
    std::shared_ptr<ui::HeadlessReportViewer> viewer;
    std::unique_ptr<cORVProject> prj;
    fs::path dir, work, out;
};

// Paragraph texts of a section body, in order (tables left out).
inline std::vector<std::string> paragraphTexts(const RtfSection& section) {
    std::vector<std::string> texts;
    for (const RtfParagraph* p : section.paragraphs())
        texts.push_back(p->text);
    return texts;
}

// The cell texts of one table row.
inline std::vector<std::string> rowTexts(const RtfRow& row) {
    std::vector<std::string> cells;
    for (const RtfCell& c : row.cells)
        cells.push_back(c.text);
    return cells;
}

}  // namespace qvc::test
