// A planted failure: aborts on "QVC!", a token only the dictionary has.
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.find("QVC!") != std::string_view::npos)
        std::abort();
    return 0;
}
