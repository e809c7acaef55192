#pragma once
// A std::ostream over a WritableFile, for writers that stream their output
// (the RTF writer). Data goes to the file in blocks; a failed append sets
// badbit and keeps the error, which rethrowError() raises again.

#include <exception>
#include <ostream>
#include <streambuf>
#include <string>

#include "qvc/runtime/Export.h"
#include "qvc/runtime/WritableFile.h"

namespace qvc::rt {

class QVC_RUNTIME_EXPORT WritableFileStream : public std::ostream {
  public:
    explicit WritableFileStream(WritableFile& file);
    ~WritableFileStream() override;

    // Writes what is buffered, then raises the first append error, if any.
    void finish();

  private:
    class Buffer : public std::streambuf {
      public:
        explicit Buffer(WritableFile& file);
        bool flushBlock();
        std::exception_ptr error;

      protected:
        int_type overflow(int_type c) override;
        int sync() override;

      private:
        WritableFile& file_;
        std::string block_;
    };
    Buffer buffer_;
};

}  // namespace qvc::rt
