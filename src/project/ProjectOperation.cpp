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

ProjectOperation::~ProjectOperation() {
    // An operation that returned early without a failure had nothing (more)
    // to write: what it wrote stands. After a failure it is undone.
    if (write_ && ok()) {
        try {
            write_->commit();
        } catch (...) {
        }
    }
}

bool ProjectOperation::open() {
    db().openDB();
    if (!db().ErrorText().empty()) {
        project_.m_sErrMsg = db().ErrorText();
        return false;
    }
    return true;
}

bool ProjectOperation::openForWrite() {
    try {
        write_.emplace();
        return true;
    } catch (...) {
        project_.m_sErrMsg = currentErrorRecord(classTag(name_, "cORVProject"));
        return false;
    }
}

void ProjectOperation::close() {
    if (write_) {
        write_->commit();
        write_.reset();
        return;
    }
    db().closeDB();
    if (!db().ErrorText().empty())
        project_.m_sErrMsg = db().ErrorText();
}

void ProjectOperation::fail() {
    write_.reset();
    project_.m_sErrMsg = currentErrorRecord(classTag(name_, "cORVProject"));
}

dao::Database& ProjectOperation::database() {
    auto& db = threadState().gdbProject;
    if (!db)
        throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
    return *db;
}

}  // namespace qvc
