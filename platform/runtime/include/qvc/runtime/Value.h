#pragma once
// A tagged value as it crosses the database layer and the old Basic-style
// interfaces: Empty, Null, text, 16-bit, 32-bit, double or Boolean.
//
// Conversions follow Basic's rules so that the component behaves the same on
// every input:
//  - to a number: Empty is 0; Null raises 94 (invalid use of Null); text is
//    parsed after trimming blanks and raises 13 (type mismatch) when it is not a
//    number ("True"/"False" are accepted as -1/0); Boolean True is -1.
//  - to 16-bit or 32-bit: rounds halves to the even neighbour and raises 6
//    (overflow) when the result does not fit.
//  - to text: Empty is ""; Null raises 94; Booleans give "True"/"False";
//    doubles give their shortest form as Basic's CStr does.

#include <cstdint>
#include <string>
#include <variant>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

enum class ValueType { Empty, Null, Text, Int16, Int32, Double, Boolean };

class QVC_RUNTIME_EXPORT Value {
  public:
    Value() = default;  // Empty
    Value(std::string text) : data_(std::move(text)) {}
    Value(const char* text) : data_(std::string(text)) {}
    Value(int16_t v) : data_(v) {}
    Value(int32_t v) : data_(v) {}
    Value(double v) : data_(v) {}
    Value(bool v) : data_(v) {}

    static Value null() {
        Value v;
        v.data_ = NullTag{};
        return v;
    }

    ValueType type() const { return static_cast<ValueType>(data_.index()); }
    bool isEmpty() const { return type() == ValueType::Empty; }
    bool isNull() const { return type() == ValueType::Null; }
    bool isNumeric() const;  // 16-bit, 32-bit, double or Boolean

    int16_t toInt16() const;
    int32_t toInt32() const;
    double toDouble() const;
    bool toBool() const;
    std::string toText() const;

    // Raw access for the holder's own type; raises 13 for any other type.
    const std::string& text() const;

    bool operator==(const Value& other) const = default;

  private:
    struct EmptyTag {
        bool operator==(const EmptyTag&) const = default;
    };
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    std::variant<EmptyTag, NullTag, std::string, int16_t, int32_t, double, bool> data_;
};

QVC_RUNTIME_EXPORT const char* valueTypeName(ValueType t);

}  // namespace qvc::rt
