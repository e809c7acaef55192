#pragma once
// A fresh, empty project database for every test, and ways to read and
// change the file behind the component's back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "project/ProjectSchema.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"

namespace qvc::test {

class CountingNotifier : public IChangeNotifier {
  public:
    void NotifyChanged(bool changed) override { calls.push_back(changed); }
    std::vector<bool> calls;
};

class ProjectFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = freshDir("project", std::string(info->test_suite_name()) + "." + info->name());
        project::createProjectDatabase((dir / "ORV30.mdb").string());
        notifier = std::make_shared<CountingNotifier>();
        prj.setChangeNotifier(notifier);
        prj.setWorkPath(dir.string(), "", "");
    }
    void TearDown() override { resetThreadState(); }

    void execute(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        db->Execute(sql);
        db->Close();
    }
    rt::Value scalar(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        auto rs = db->OpenRecordset(sql);
        return rs->eof() ? rt::Value() : rs->field(0);
    }
    int count(const std::string& table, const std::string& where = "") {
        return scalar("SELECT count(*) FROM " + table + (where.empty() ? "" : " WHERE " + where))
            .toInt32();
    }
    cDesignCase read(int16_t study, int32_t caseId) {
        cDesignCase c;
        prj.getCaseDetails(study, static_cast<int16_t>(caseId), c);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return c;
    }

    cStudy sampleStudy(const std::string& title = "Office HVAC") {
        cStudy s;
        s.StudyTitle = title;
        s.StudyDescription = "Replacement of the central plant";
        s.BaseYear = 2026;
        s.CurSymbol = "$";
        s.Lifecycle = 25;
        s.DiscountRate = 3.5;
        s.CalcIncomeTaxes = true;
        s.IncomeTaxes = 28.0;
        return s;
    }

    std::filesystem::path dir;
    cORVProject prj;
    std::shared_ptr<CountingNotifier> notifier;
};

}  // namespace qvc::test
