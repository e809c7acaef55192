#include "JsonOutputFile.h"

#include <iostream>

#include "ProjectSession.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"

namespace qvc::cli {

std::string jsonOutputText(const nlohmann::ordered_json& doc, const char* lineEnd) {
    // Titles read from an old project may not be valid UTF-8: U+FFFD instead
    // of a failure. Line breaks occur only between tokens (strings escape
    // theirs), so each can become the line end asked for.
    const std::string plain =
        doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    std::string out;
    out.reserve(plain.size() + plain.size() / 16);
    for (char c : plain) {
        if (c == '\n')
            out += lineEnd;
        else
            out += c;
    }
    return out + lineEnd;
}

void writeJsonOutput(const nlohmann::ordered_json& doc, const std::string& path) {
    if (path == "-") {
        std::cout << jsonOutputText(doc, "\n") << std::flush;
        if (!std::cout)
            throw CommandError("the results could not be written to standard output");
        return;
    }
    const std::string data = jsonOutputText(doc, "\r\n");
    try {
        rt::writeFileAtomically(rt::Env::Default(), path,
                                [&](rt::WritableFile& file) { file.append(data); });
    } catch (const rt::Error& e) {
        throw CommandError(e.description());
    }
}

}  // namespace qvc::cli
