#pragma once
// Internal: the scan of an expression text into top-level operand texts and operator codes.
#include <boost/container/small_vector.hpp>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill {

// Operator codes; the priority of a code is code / 16, a smaller priority binding tighter.
enum OpCode : std::uint16_t {
    OpPow = 0x7F20,
    OpMul = 0x7F40,
    OpDiv = 0x7F41,
    OpIntDiv = 0x7F50,
    OpMod = 0x7F60,
    OpAdd = 0x7F70,
    OpSub = 0x7F71,
    OpEq = 0x7F90,
    OpNe = 0x7F91,
    OpLt = 0x7F92,
    OpLe = 0x7F93,
    OpGt = 0x7F94,
    OpGe = 0x7F95,
    OpAnd = 0x7FB0,
    OpOr = 0x7FC0,
    OpXor = 0x7FD0,
};

inline constexpr int kMaxOperands = 101; // value slots 0..100
inline constexpr int kMaxOperandTexts = 1001;
inline constexpr int kMaxDepth = 255;

using ScanOps = boost::container::small_vector<std::uint16_t, 4>;

struct ScanResult {
    boost::container::small_vector<std::u16string, 4> operands{1};
    ScanOps ops;
};

// Throws EvalError for an opening bracket without a closing one, a nesting deeper than 255
// and more operand texts or operators than the working state holds.
ScanResult scanExpression(std::u16string_view text);

} // namespace quill
