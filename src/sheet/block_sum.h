#pragma once
// The effect on the running total of a run of lines that only add or subtract amounts: their
// exact sum, so that a pass can carry the total over the run in one step.
//
// Adding amounts one by one rounds a partial total only when it no longer fits the decimal's
// 96-bit mantissa at the finest scale seen so far. When no partial total can come near that
// (checked from a bound on every partial sum), each addition is exact, every partial total keeps
// the finest scale so far, and adding the run's sum in one step gives the very same decimal:
// same value, same scale. When the bound does not hold, the run is carried line by line.
#include "engine/value.h"
#include "sheet/line_kind.h"

#include <optional>

namespace quill {

class BlockSum {
public:
    // Takes in the next line of the run. A line whose step on the total is not the addition
    // or subtraction of an exact amount (another operator, a date, a text, a number without a
    // decimal form) makes the whole run one to carry line by line.
    void add(LineKind kind, const Value& value);
    // The run can no longer be carried in one step (a line that read the system, a line to
    // evaluate again).
    void refuse() { summable_ = false; }

    // The running total after the run, starting from `total`, when adding the run's sum in
    // one step gives exactly what its lines give one by one; nullopt otherwise.
    std::optional<Value> carry(const Value& total) const;

private:
    u128 sum_ = 0; // the magnitude of the sum, at scale_
    bool negative_ = false;
    u128 peak_ = 0; // the largest magnitude of a partial sum, at scale_
    int scale_ = 0; // the finest scale among the amounts
    bool amounts_ = false;
    bool summable_ = true;
};

} // namespace quill
