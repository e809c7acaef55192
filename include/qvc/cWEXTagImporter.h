#pragma once
// Imports a building from the sibling building-load program's project
// (<WexProjectPath>/Project.mdb, tables TagIndex and TagData) as a new design
// case of a study: one annual operating cost per cost row of the building, a
// maintenance cost after them, and optionally one investment per equipment
// row.
//
// The sibling file is only read: it is opened read-only and nothing is
// written to it or beside it. The new case is stored through a cORVProject,
// which uses the work folder the host has set (setWorkPath).
//
// No failure escapes: a procedure that fails leaves its error record
// "number#description#procedure#cWEXTagImporter #" for getErrorMsg.
//
// A case holds 20 items per list. Cost rows beyond the 20th annual slot,
// equipment rows beyond the 20th investment and a maintenance item that finds
// no free slot are left out; the case is still stored, caseId names it, and
// the error text (number 9) names every item left out.
//
// Threading: one object per thread, like cORVProject.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qvc/Export.h"

namespace qvc {

namespace dao {
class Database;
class Recordset;
}  // namespace dao

class QVC_EXPORT cWEXTagImporter {
  public:
    cWEXTagImporter();
    ~cWEXTagImporter();
    cWEXTagImporter(const cWEXTagImporter&) = delete;
    cWEXTagImporter& operator=(const cWEXTagImporter&) = delete;

    // The study that receives the imported case.
    int16_t StudyID = 0;
    // The folder of the sibling project (holds Project.mdb).
    std::string WexProjectPath;

    // Replaces the array's contents with one text per building, "tagID#name#",
    // ordered by name. Leaves the array untouched when the sibling project
    // cannot be opened.
    void getBuildings(std::vector<std::string>& arrTagIdNames);

    // BuildingDetails: the text before its first "#" is the building's tag ID,
    // everything after that "#" becomes the case title; pass "12#Office" for
    // the title "Office" (a text from getBuildings keeps its closing "#").
    // bEquipment also imports the equipment rows as named investments. On
    // success caseId is the new case's ID and CaseTitle its trimmed title.
    void ImportWEXData(const std::string& BuildingDetails, bool bEquipment, int16_t& caseId,
                       std::string& CaseTitle);

    std::string getErrorMsg() const { return m_sErrMsg; }
    void clearError() { m_sErrMsg.clear(); }

  private:
    bool openProjectDB();
    void closeProjectDB();
    std::unique_ptr<dao::Recordset> getWEXData(int32_t tagId, bool bEquipment);

    std::shared_ptr<dao::Database> m_dbWex;
    std::string m_sErrMsg;
};

}  // namespace qvc
