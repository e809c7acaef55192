// Fuzz target: safe file names, and RTF escaping that reads back as the text went in, for any
// bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include <utf8cpp/utf8.h>

#include "../../platform/document/RtfEscape.h"
#include "RtfReader.h"
#include "qvc/runtime/SafeFileName.h"

namespace {

void require(bool ok, const char* property) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_rtf_names: %s does not hold for this input\n", property);
        std::abort();
    }
}

void checkName(const std::string& name, std::string_view extension) {
    require(!name.empty(), "a non-empty name");
    require(name.size() <= qvc::rt::kMaxFileNameBytes, "at most 200 bytes");
    require(name != "." && name != "..", "not . or ..");
    require(name.front() != '.', "no leading dot");
    require(name.back() != ' ', "no trailing blank");
    require(name.find('/') == std::string::npos && name.find('\\') == std::string::npos,
            "no separator");
    for (const char c : name)
        require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control character");
    require(utf8::is_valid(name.begin(), name.end()), "valid UTF-8");
    require(name.ends_with(extension), "the extension kept");
    require(qvc::rt::SafeFileName(name) == name, "idempotent");
}

// What a reader must show: an invalid byte as U+FFFD, control characters left out.
std::string shownText(std::string_view input) {
    std::string out;
    auto it = input.begin();
    while (it != input.end()) {
        uint32_t cp = 0xFFFD;
        const auto start = it;
        try {
            cp = utf8::next(it, input.end());
        } catch (const utf8::exception&) {
            it = start + 1;
        }
        if (cp >= 0x20 && cp != 0x7F)
            utf8::append(static_cast<char32_t>(cp), std::back_inserter(out));
    }
    return out;
}

void checkRtf(std::string_view input) {
    std::string rtf;
    qvc::doc::detail::appendRtfText(rtf, input);
    for (size_t i = 0; i < rtf.size(); ++i) {
        const auto c = static_cast<unsigned char>(rtf[i]);
        require(c >= 0x20 && c < 0x7F, "7-bit printable RTF");
        if (c == '\\')  // a \uN? cut short or a raw brace changes the text read back
            require(i + 1 < rtf.size() &&
                        std::string_view("\\{}u").find(rtf[++i]) != std::string_view::npos,
                    "only \\\\, \\{, \\} and \\uN? escapes");
    }
    const qvc::test::RtfDocument doc = qvc::test::readRtf("{\\rtf1\\ansi\\uc1 " + rtf + "\\par}");
    require(doc.bodyText() == shownText(input) + "\n", "the text read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkName(qvc::rt::SafeFileName(input), "");
    checkName(qvc::rt::SafeFileName(input, ".RTF"), ".RTF");
    checkRtf(input);
    return 0;
}
