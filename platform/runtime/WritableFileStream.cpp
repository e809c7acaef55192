#include "qvc/runtime/WritableFileStream.h"

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {

namespace {

constexpr size_t kBlockSize = 64 * 1024;

}  // namespace

WritableFileStream::Buffer::Buffer(WritableFile& file) : file_(file), block_(kBlockSize, '\0') {
    setp(block_.data(), block_.data() + block_.size());
}

bool WritableFileStream::Buffer::flushBlock() {
    if (error)
        return false;
    try {
        if (pptr() != pbase())
            file_.append(std::string_view(pbase(), static_cast<size_t>(pptr() - pbase())));
        setp(block_.data(), block_.data() + block_.size());
        return true;
    } catch (...) {
        error = std::current_exception();
        return false;
    }
}

WritableFileStream::Buffer::int_type WritableFileStream::Buffer::overflow(int_type c) {
    if (!flushBlock())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int WritableFileStream::Buffer::sync() {
    return flushBlock() ? 0 : -1;
}

WritableFileStream::WritableFileStream(WritableFile& file) : std::ostream(nullptr), buffer_(file) {
    rdbuf(&buffer_);
}

WritableFileStream::~WritableFileStream() = default;

void WritableFileStream::finish() {
    flush();
    if (buffer_.error)
        std::rethrow_exception(buffer_.error);
    if (!*this)
        throw Error(err::kInternal, "The output stream failed");
}

}  // namespace qvc::rt
