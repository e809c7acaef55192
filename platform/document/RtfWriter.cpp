#include "qvc/document/RtfWriter.h"

#include "RtfBuilder.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/WritableFileStream.h"

namespace qvc::doc {

std::string toRtf(const Document& doc) {
    return detail::RtfBuilder(doc).build();
}

bool writeRtfFile(const Document& doc, const std::filesystem::path& file) {
    return rt::writeFileAtomically(rt::Env::Default(), file, [&](rt::WritableFile& out) {
        rt::WritableFileStream stream(out);
        detail::RtfBuilder(doc, &stream).build();
        stream.finish();
    });
}

}  // namespace qvc::doc
