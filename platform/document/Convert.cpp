#include "Convert.h"

#include <fmt/format.h>

#include <utf8.h>

#include <cmath>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc::detail {

using rt::Error;
namespace err = rt::err;

int32_t inchesToTwips(double inches) {
    if (!std::isfinite(inches) || std::fabs(inches) > 1000.0) {
        throw Error(err::kInvalidProcedureCall, "A length in inches is out of range");
    }
    return static_cast<int32_t>(std::lround(inches * kTwipsPerInch));
}

int32_t pointsToHalfPoints(double points) {
    if (!std::isfinite(points) || points < 1.0 || points > 1638.0) {
        throw Error(err::kInvalidProcedureCall, "A font size must be between 1 and 1638 points");
    }
    return static_cast<int32_t>(std::lround(points * 2.0));
}

std::optional<Rgb> rgbFromLong(int32_t value) {
    if (value < 0) {
        return std::nullopt;
    }
    if (value > 0xFFFFFF) {
        throw Error(err::kInvalidProcedureCall, "A colour value is out of range");
    }
    auto v = static_cast<uint32_t>(value);
    return Rgb{static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
               static_cast<uint8_t>((v >> 16) & 0xFF)};
}

HAlign alignFromCode(int32_t code) {
    switch (code) {
        case 1024:
            return HAlign::Left;
        case 2:
            return HAlign::Right;
        case 1:
            return HAlign::Centre;
        default:
            throw Error(err::kInvalidProcedureCall, fmt::format("Unknown alignment code {}", code));
    }
}

VAlign valignFromCode(int32_t code) {
    switch (code) {
        case 1:
            return VAlign::Top;
        case 2:
            return VAlign::Centre;
        case 3:
            return VAlign::Bottom;
        default:
            throw Error(err::kInvalidProcedureCall,
                        fmt::format("Unknown vertical alignment code {}", code));
    }
}

std::vector<Run> textRuns(std::string_view text, const CharFormat& format) {
    std::string clean;
    clean.reserve(text.size());
    utf8::replace_invalid(text.begin(), text.end(), std::back_inserter(clean), 0xFFFD);

    std::vector<Run> runs;
    std::string pending;
    auto flush = [&] {
        if (!pending.empty()) {
            runs.push_back(Run{Run::Kind::Text, std::move(pending), format, nullptr});
            pending.clear();
        }
    };
    for (size_t i = 0; i < clean.size(); ++i) {
        char c = clean[i];
        if (c == '\t') {
            flush();
            runs.push_back(Run{Run::Kind::Tab, {}, format, nullptr});
        } else if (c == '\r' || c == '\n') {
            flush();
            runs.push_back(Run{Run::Kind::LineBreak, {}, format, nullptr});
            if (c == '\r' && i + 1 < clean.size() && clean[i + 1] == '\n') {
                ++i;
            }
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            continue;
        } else {
            pending.push_back(c);
        }
    }
    flush();
    return runs;
}

}  // namespace qvc::doc::detail
