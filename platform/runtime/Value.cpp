#include "qvc/runtime/Value.h"

#include <fmt/format.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"

namespace qvc::rt {
namespace {

[[noreturn]] void throwNull() {
    throw Error(err::kInvalidUseOfNull, "Invalid use of Null");
}
[[noreturn]] void throwMismatch() {
    throw Error(err::kTypeMismatch, "Type mismatch");
}
[[noreturn]] void throwOverflow() {
    throw Error(err::kOverflow, "Overflow");
}

bool equalsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (x != b[i])
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

// Basic accepts blanks around a number, a leading sign and a decimal point.
double parseNumber(const std::string& raw) {
    size_t b = raw.find_first_not_of(" \t");
    size_t e = raw.find_last_not_of(" \t");
    if (b == std::string::npos)
        throwMismatch();
    std::string s = raw.substr(b, e - b + 1);
    if (equalsNoCase(s, "true"))
        return -1.0;
    if (equalsNoCase(s, "false"))
        return 0.0;
    // strtod also accepts hex, "inf" and "nan", which Basic does not.
    for (char c : s) {
        bool ok =
            (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!ok)
            throwMismatch();
    }
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size())
        throwMismatch();
    if (errno == ERANGE && std::isinf(v))
        throwOverflow();
    return v;
}

template <typename Int>
Int toWhole(double d) {
    if (std::isnan(d))
        throwOverflow();
    double r = RoundHalfEven(d);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        throwOverflow();
    return static_cast<Int>(r);
}

}  // namespace

bool Value::isNumeric() const {
    switch (type()) {
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Double:
        case ValueType::Boolean:
            return true;
        default:
            return false;
    }
}

double Value::toDouble() const {
    switch (type()) {
        case ValueType::Empty:
            return 0.0;
        case ValueType::Null:
            throwNull();
        case ValueType::Text:
            return parseNumber(std::get<std::string>(data_));
        case ValueType::Int16:
            return std::get<int16_t>(data_);
        case ValueType::Int32:
            return std::get<int32_t>(data_);
        case ValueType::Double:
            return std::get<double>(data_);
        case ValueType::Boolean:
            return std::get<bool>(data_) ? -1.0 : 0.0;
    }
    throwMismatch();
}

int16_t Value::toInt16() const {
    if (type() == ValueType::Int16)
        return std::get<int16_t>(data_);
    return toWhole<int16_t>(toDouble());
}

int32_t Value::toInt32() const {
    if (type() == ValueType::Int32)
        return std::get<int32_t>(data_);
    return toWhole<int32_t>(toDouble());
}

bool Value::toBool() const {
    if (type() == ValueType::Boolean)
        return std::get<bool>(data_);
    return toDouble() != 0.0;
}

std::string Value::toText() const {
    switch (type()) {
        case ValueType::Empty:
            return {};
        case ValueType::Null:
            throwNull();
        case ValueType::Text:
            return std::get<std::string>(data_);
        case ValueType::Int16:
            return fmt::format("{}", std::get<int16_t>(data_));
        case ValueType::Int32:
            return fmt::format("{}", std::get<int32_t>(data_));
        case ValueType::Double:
            return CStr(std::get<double>(data_));
        case ValueType::Boolean:
            return std::get<bool>(data_) ? "True" : "False";
    }
    throwMismatch();
}

const std::string& Value::text() const {
    if (type() != ValueType::Text)
        throwMismatch();
    return std::get<std::string>(data_);
}

const char* valueTypeName(ValueType t) {
    switch (t) {
        case ValueType::Empty:
            return "Empty";
        case ValueType::Null:
            return "Null";
        case ValueType::Text:
            return "Text";
        case ValueType::Int16:
            return "Integer";
        case ValueType::Int32:
            return "Long";
        case ValueType::Double:
            return "Double";
        case ValueType::Boolean:
            return "Boolean";
    }
    return "?";
}

}  // namespace qvc::rt
