// The building importer: lists the buildings of the sibling project and turns
// one building's cost and equipment rows into a new design case.

#include "qvc/cWEXTagImporter.h"

#include <fmt/format.h>

#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "import/ImportedCase.h"
#include "import/WexCostKeys.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"
#include "qvc/dao/Recordset.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Value.h"

namespace qvc {
namespace {

constexpr const char* kClassName = "cWEXTagImporter ";

// Text of a column; Null joins as nothing, as it does in the building list.
std::string textOf(const rt::Value& v) {
    return v.isNull() ? std::string() : v.toText();
}

// Marks a study object that getStudyDetails did not fill.
constexpr const char* kStudyNotRead = "\x01(not read)";

// The length of analysis of the study the case goes to; false (with the
// project's error text in `error`) when the study could not be read. Raises
// 3021 when the project has no such study: a case without its study would be
// unreachable for the host.
bool readStudyLifecycle(cORVProject& project, int16_t studyId, int16_t& lifecycle,
                        std::string& error) {
    cStudy study;
    study.StudyTitle = kStudyNotRead;
    project.getStudyDetails(studyId, study);
    if (!project.getErrorMsg().empty()) {
        error = project.getErrorMsg();
        return false;
    }
    if (study.StudyTitle == kStudyNotRead)
        throw rt::Error(rt::err::kNoCurrentRecord,
                        fmt::format("No current record: the project has no study {}", studyId));
    lifecycle = study.Lifecycle;
    return true;
}

// Every row of the building's tag data: the costs become annual costs, the
// equipment (when asked for) notes.
void addTagRows(dao::Recordset& rs, bool withEquipment, ImportedCase& imported) {
    while (!rs.eof()) {
        const std::string key = textOf(rs.field("sKey"));
        const rt::Value value = rs.field("sValue");
        if (!isWexEquipmentKey(key)) {
            // Whole currency units, halves to the even neighbour.
            const double cost = static_cast<double>(value.toInt32());
            imported.addAnnualCost(wexCostItemName(key).value_or(std::string()), cost,
                                   key + " " + textOf(value));
        } else if (withEquipment) {
            const std::string name = value.toText();
            imported.addEquipment(name, key + " " + name);
        }
        rs.MoveNext();
    }
}

}  // namespace

cWEXTagImporter::cWEXTagImporter() = default;

cWEXTagImporter::~cWEXTagImporter() {
    try {
        closeProjectDB();
    } catch (...) {
    }
}

bool cWEXTagImporter::openProjectDB() {
    try {
        closeProjectDB();
        // Read-only: the sibling program's file is never written, not even a journal.
        m_dbWex = dao::Database::Open(WexProjectPath + "/Project.mdb", {.readOnly = true});
        return true;
    } catch (...) {
        m_dbWex.reset();
        m_sErrMsg = errorRecord("openProjectDB", kClassName);
        return false;
    }
}

void cWEXTagImporter::closeProjectDB() {
    try {
        if (m_dbWex) {
            auto db = std::move(m_dbWex);
            db->Close();
        }
    } catch (...) {
        m_sErrMsg = errorRecord("closeProjectDB", kClassName);
    }
}

std::unique_ptr<dao::Recordset> cWEXTagImporter::getWEXData(int32_t tagId, bool bEquipment) {
    try {
        if (!m_dbWex)
            throw rt::Error(rt::err::kObjectNotSet,
                            "Object variable or With block variable not set");
        std::string sql = fmt::format("SELECT * FROM TagData WHERE lTagID = {}", tagId);
        if (!bEquipment)
            sql += " AND sKey NOT LIKE 'Equipment*' ORDER BY lSeqNumber ASC";
        else
            sql += " ORDER BY lSeqNumber ASC";
        return m_dbWex->OpenRecordset(sql);
    } catch (...) {
        m_sErrMsg = errorRecord("getWEXData", kClassName);
        return nullptr;
    }
}

void cWEXTagImporter::getBuildings(std::vector<std::string>& arrTagIdNames) {
    m_sErrMsg.clear();
    if (!openProjectDB())
        return;
    try {
        auto rs = m_dbWex->OpenRecordset(
            "SELECT lTagID, sTagName FROM TagIndex WHERE sApp = 'WEX' AND lEquipType=500 "
            "ORDER BY sTagName ASC");
        std::vector<std::string> buildings;
        while (!rs->eof()) {
            buildings.push_back(textOf(rs->field("lTagID")) + "#" + textOf(rs->field("sTagName")) +
                                "#");
            rs->MoveNext();
        }
        rs->Close();
        arrTagIdNames = std::move(buildings);
    } catch (...) {
        m_sErrMsg = errorRecord("getBuildings", kClassName);
    }
    closeProjectDB();
}

void cWEXTagImporter::ImportWEXData(const std::string& BuildingDetails, bool bEquipment,
                                    int16_t& caseId, std::string& CaseTitle) {
    m_sErrMsg.clear();
    try {
        cORVProject project;
        int16_t lifecycle = 0;
        if (!readStudyLifecycle(project, StudyID, lifecycle, m_sErrMsg))
            return;

        const long hash = rt::InStr(BuildingDetails, "#");
        const int32_t tagId = rt::Value(rt::Left(BuildingDetails, hash - 1)).toInt32();
        const std::string buildingName = rt::Mid(BuildingDetails, hash + 1);

        if (!openProjectDB())
            return;
        auto rs = getWEXData(tagId, bEquipment);
        if (!rs) {
            closeProjectDB();
            return;
        }

        const ResourceTexts& res = threadState().res;
        ImportedCase imported(StudyID, buildingName, res.gXstrWEXEnergy, lifecycle);
        addTagRows(*rs, bEquipment, imported);
        rs->Close();
        imported.addMaintenance(res.gXstrMaintenance);

        project.addCaseDetailsWEX(StudyID, imported.designCase(), caseId, CaseTitle);
        closeProjectDB();
        if (!project.getErrorMsg().empty()) {
            m_sErrMsg = project.getErrorMsg();
        } else if (!imported.leftOut().empty()) {
            m_sErrMsg = fmt::format("{}#{}{}", rt::err::kSubscriptOutOfRange,
                                    imported.leftOutText(), classTag("ImportWEXData", kClassName));
        }
    } catch (...) {
        m_sErrMsg = errorRecord("ImportWEXData", kClassName);
        closeProjectDB();
    }
}

}  // namespace qvc
