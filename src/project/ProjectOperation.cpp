#include "project/ProjectOperation.h"

#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {

ProjectOperation::ProjectOperation(cORVProject& project, const char* name)
    : project_(project), name_(name) {
    project_.m_sErrMsg.clear();
}

bool ProjectOperation::open() {
    db().openDB();
    if (!db().ErrorText().empty()) {
        project_.m_sErrMsg = db().ErrorText();
        return false;
    }
    return true;
}

ProjectOperation::~ProjectOperation() {
    try {
        commitBatch();
    } catch (...) {
    }
}

bool ProjectOperation::openForBatch() {
    if (!open())
        return false;
    database().BeginTrans();
    batch_ = true;
    return true;
}

void ProjectOperation::commitBatch() {
    if (!batch_)
        return;
    batch_ = false;
    auto& db = threadState().gdbProject;
    if (db && db->isOpen() && db->inTransaction())
        db->CommitTrans();
}

void ProjectOperation::close() {
    commitBatch();
    db().closeDB();
    if (!db().ErrorText().empty())
        project_.m_sErrMsg = db().ErrorText();
}

void ProjectOperation::fail() {
    // Rows saved before the failure stay saved, as they would without a batch.
    try {
        commitBatch();
    } catch (...) {
    }
    project_.m_sErrMsg = currentErrorRecord(classTag(name_, "cORVProject"));
}

dao::Database& ProjectOperation::database() {
    auto& db = threadState().gdbProject;
    if (!db)
        throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
    return *db;
}

}  // namespace qvc
