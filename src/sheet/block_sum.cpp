#include "sheet/block_sum.h"

#include "engine/convert.h"
#include "engine/error.h"

#include <algorithm>
#include <array>

namespace quill {
namespace {

using Powers = std::array<u128, Decimal::kMaxScale + 1>;

constexpr Powers kPow10 = [] {
    Powers p{};
    p[0] = 1;
    for (size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
    return p;
}();

// kLiftLimit[k] is the largest mantissa that still fits when multiplied by 10^k.
constexpr Powers kLiftLimit = [] {
    Powers l{};
    for (size_t k = 0; k < l.size(); ++k) l[k] = Decimal::kMaxMantissa / kPow10[k];
    return l;
}();

// x * 10^k when it fits the 96-bit mantissa.
std::optional<u128> lifted(u128 x, int k) {
    if (x > kLiftLimit[size_t(k)]) return std::nullopt;
    return x * kPow10[size_t(k)];
}

// The amount a line adds to the total, as the total's own step converts it; nullopt when the
// step may do anything else (dates move by days, texts may read as dates) or fail.
std::optional<Decimal> amountOf(LineKind kind, const Value& value) {
    if (kind != LineKind::Add && kind != LineKind::Subtract) return std::nullopt;
    if (value.isText() || value.isDate()) return std::nullopt;
    try {
        const Decimal d = toDecimal(value);
        return kind == LineKind::Subtract ? -d : d;
    } catch (const EvalError&) {
        return std::nullopt;
    }
}

} // namespace

void BlockSum::add(LineKind kind, const Value& value) {
    if (kind == LineKind::Blank || !summable_) return;
    const std::optional<Decimal> amount = amountOf(kind, value);
    if (!amount) return refuse();
    u128 mag = amount->mantissa();
    if (amount->scale() > scale_) {
        // peak_ bounds sum_, so the sum fits whenever the peak does.
        const auto peak = lifted(peak_, amount->scale() - scale_);
        if (!peak) return refuse();
        sum_ = *lifted(sum_, amount->scale() - scale_);
        peak_ = *peak;
        scale_ = amount->scale();
    } else {
        const auto m = lifted(mag, scale_ - amount->scale());
        if (!m) return refuse();
        mag = *m;
    }
    // Both magnitudes are below 2^96: no overflow in 128 bits.
    if (amount->isNegative() == negative_) {
        sum_ += mag;
    } else if (sum_ >= mag) {
        sum_ -= mag;
    } else {
        sum_ = mag - sum_;
        negative_ = !negative_;
    }
    if (sum_ == 0) negative_ = false;
    if (sum_ > Decimal::kMaxMantissa) return refuse();
    peak_ = std::max(peak_, sum_);
    amounts_ = true;
}

std::optional<Value> BlockSum::carry(const Value& total) const {
    if (!summable_) return std::nullopt;
    if (!amounts_) return total; // blank lines leave the total alone
    if (total.isText() || total.isDate()) return std::nullopt;
    Decimal start;
    try {
        start = toDecimal(total);
    } catch (const EvalError&) {
        return std::nullopt; // every line fails against it: carried line by line
    }
    // Every partial total is the start plus a partial sum; bound its magnitude at the finest
    // scale the run can reach. Below 2^96 there, no partial total is ever rounded.
    const int scale = std::max(start.scale(), scale_);
    const auto startMag = lifted(start.mantissa(), scale - start.scale());
    const auto peakMag = lifted(peak_, scale - scale_);
    if (!startMag || !peakMag || *peakMag > Decimal::kMaxMantissa - *startMag) return std::nullopt;
    return Value::decimal(start + Decimal::fromParts(sum_, scale_, negative_));
}

} // namespace quill
