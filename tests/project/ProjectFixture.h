#pragma once
// A fresh, empty project database in its own folder for every test, with the
// work path set and the thread's state reset.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
        dir = std::filesystem::path(QVC_TEST_OUTPUT_DIR) / "project" /
              (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        project::createProjectDatabase((dir / "ORV30.mdb").string());
        notifier = std::make_shared<CountingNotifier>();
        prj.setChangeNotifier(notifier);
        prj.setWorkPath(dir.string(), "", "");
    }
    void TearDown() override { resetThreadState(); }

    // Runs a query on a separate connection and returns column 0 of row 1.
    rt::Value scalar(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        auto rs = db->OpenRecordset(sql);
        return rs->eof() ? rt::Value() : rs->field(0);
    }
    int count(const std::string& table, const std::string& where = "") {
        return scalar("SELECT count(*) FROM " + table + (where.empty() ? "" : " WHERE " + where))
            .toInt32();
    }

    cStudy sampleStudy(const std::string& title = "Office HVAC") {
        cStudy s;
        s.StudyTitle = title;
        s.StudyDescription = "Replacement of the central plant";
        s.TypeOfAnalysis = 0;
        s.TypeOfAlternative = 0;
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
