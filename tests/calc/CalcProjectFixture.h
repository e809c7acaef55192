#pragma once
// A fresh project database in its own folder for every test, and helpers that
// store studies and design cases through the project component.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "project/ProjectSchema.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"

namespace qvc::test {

class CalcProjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = freshDir("calc", std::string(info->test_suite_name()) + "." + info->name());
        project::createProjectDatabase((dir / "ORV30.mdb").string());
        prj.setWorkPath(dir.string(), "", "");
    }
    void TearDown() override { resetThreadState(); }

    int16_t addStudy(const cStudy& s) {
        prj.addStudyDetails(s);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return prj.GetMaxStudyID();
    }
    int16_t addCase(int16_t studyId, const cDesignCase& c) {
        prj.addCaseDetails(studyId, c);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return prj.GetMaxCaseID();
    }
    void execute(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        db->Execute(sql);
        db->Close();
    }

    static cStudy study(const std::string& title, int16_t type, int16_t years, double discount) {
        cStudy s;
        s.StudyTitle = title;
        s.StudyDescription = "Plant replacement for the east wing";
        s.TypeOfAnalysis = type;
        s.TypeOfAlternative = 0;
        s.BaseYear = 2026;
        s.CurSymbol = "$";
        s.Lifecycle = years;
        s.DiscountRate = discount;
        s.CalcIncomeTaxes = false;
        s.IncomeTaxes = 0;
        return s;
    }

    std::filesystem::path dir;
    cORVProject prj;
};

}  // namespace qvc::test
