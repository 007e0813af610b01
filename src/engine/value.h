#pragma once
// The tagged value: the value of every expression and intermediate result.
#include "engine/decimal.h"

#include <cstdint>
#include <string>
#include <variant>

namespace quill {

enum class Kind { Empty, Bool, Int16, Int32, Single, Double, Decimal, Date, Text };

// A point in time as a day count from 1899-12-30, the time of day as the fraction.
struct DateValue {
    double serial = 0;
};

class Value {
public:
    Value() = default;
    static Value empty() { return Value(); }
    static Value boolean(bool b) { return Value(Storage(std::in_place_index<1>, b)); }
    static Value int16(std::int16_t v) { return Value(Storage(std::in_place_index<2>, v)); }
    static Value int32(std::int32_t v) { return Value(Storage(std::in_place_index<3>, v)); }
    static Value single(float v) { return Value(Storage(std::in_place_index<4>, v)); }
    static Value dbl(double v) { return Value(Storage(std::in_place_index<5>, v)); }
    static Value decimal(const Decimal& v) { return Value(Storage(std::in_place_index<6>, v)); }
    static Value date(double serial) {
        return Value(Storage(std::in_place_index<7>, DateValue{serial}));
    }
    static Value text(std::u16string v) {
        return Value(Storage(std::in_place_index<8>, std::move(v)));
    }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool is(Kind k) const { return kind() == k; }
    bool isEmpty() const { return is(Kind::Empty); }
    bool isText() const { return is(Kind::Text); }
    bool isDate() const { return is(Kind::Date); }
    // Numbers of every kind, truth values and empty take part in arithmetic as they are.
    bool isNumberKind() const { return !isText() && !isDate(); }

    bool asBool() const { return std::get<1>(v_); }
    std::int16_t asInt16() const { return std::get<2>(v_); }
    std::int32_t asInt32() const { return std::get<3>(v_); }
    float asSingle() const { return std::get<4>(v_); }
    double asDouble() const { return std::get<5>(v_); }
    const Decimal& asDecimal() const { return std::get<6>(v_); }
    double asDate() const { return std::get<7>(v_).serial; }
    const std::u16string& asText() const { return std::get<8>(v_); }

private:
    using Storage = std::variant<std::monostate, bool, std::int16_t, std::int32_t, float, double,
                                 Decimal, DateValue, std::u16string>;
    explicit Value(Storage v) : v_(std::move(v)) {}
    Storage v_;
};

// "empty", "bool", "int16", "int32", "single", "double", "decimal", "date", "text".
const char* kindName(Kind k);

} // namespace quill
