#pragma once
// One transaction around everything an operation writes to the project
// database, so that a failure or a killed process leaves the project as it
// was before the operation, never half changed.
//
// The first WriteTransaction on a thread opens the project database for
// writing (threadState().gdbProject) and takes the write lock at once,
// waiting up to the busy timeout while another process writes. Operations
// that run while one is open join it: they read and write through the same
// connection, and their own opening and closing of the database does nothing
// (see cDBoperations). Only the outermost one commits; if any joined one ends
// without commit(), the outermost rolls everything back.
//
// Threading: belongs to the thread that created it.

namespace qvc {

class WriteTransaction {
  public:
    // Raises rt::Error when the database cannot be opened or locked.
    WriteTransaction();
    // Without commit(): rolls back (outermost) or makes the outermost roll back.
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    // Outermost: writes the changes to disk and closes the database; raises
    // rt::Error (after rolling back) when a joined operation failed or the
    // commit itself failed. Joined: marks this part as done.
    void commit();

    // True while the thread has a write transaction open.
    static bool active();

  private:
    void end(bool keep);
    bool outermost_;
    bool ended_ = false;
};

}  // namespace qvc
