#include "project/WriteTransaction.h"

#include "common/ThreadState.h"
#include "project/ProjectFile.h"
#include "project/cDBoperations.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {

WriteTransaction::WriteTransaction() : outermost_(threadState().writeDepth == 0) {
    ThreadState& s = threadState();
    if (outermost_) {
        // A database left open by a read is replaced by a writing connection.
        if (s.gdbProject) {
            s.gdbProject->Close();
            s.gdbProject.reset();
        }
        auto db =
            project::openProjectFile(cDBoperations::projectFile(s.StrWorkPath), /*forWrite=*/true);
        try {
            db->BeginTrans();
        } catch (...) {
            db->Close();
            throw;
        }
        s.gdbProject = std::move(db);
        s.writeAbandoned = false;
    }
    ++s.writeDepth;
}

WriteTransaction::~WriteTransaction() {
    if (!ended_) {
        try {
            end(false);
        } catch (...) {
        }
    }
}

bool WriteTransaction::active() {
    return threadState().writeDepth > 0;
}

void WriteTransaction::commit() {
    end(true);
}

void WriteTransaction::end(bool keep) {
    ended_ = true;
    ThreadState& s = threadState();
    --s.writeDepth;
    if (!keep)
        s.writeAbandoned = true;
    if (!outermost_)
        return;
    auto db = std::move(s.gdbProject);
    const bool abandoned = s.writeAbandoned;
    s.writeAbandoned = false;
    if (!db || !db->isOpen())
        throw rt::Error(rt::err::kObjectClosed, "The project database was closed during a change");
    try {
        if (!keep || abandoned) {
            db->Rollback();
        } else {
            db->CommitTrans();
        }
    } catch (...) {
        db->Close();  // closing without a commit discards the changes
        throw;
    }
    db->Close();
    if (keep && abandoned)
        throw rt::Error(rt::err::kDatabaseError,
                        "Nothing was changed: part of the change failed and all of it was undone");
}

}  // namespace qvc
