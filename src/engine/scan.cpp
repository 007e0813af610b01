#include "engine/scan.h"

#include "engine/error.h"

namespace quill {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
char16_t upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

// The characters after which a keyword may stand: a closing bracket, a number or a blank.
bool keywordBoundary(char16_t c) {
    return c == u')' || c == u',' || c == u' ' || isDigit(c);
}

class Scanner {
public:
    explicit Scanner(std::u16string_view text) : t_(text) {}

    ScanResult run() {
        size_t i = 0;
        while (i < t_.size()) i = step(i);
        return std::move(r_);
    }

private:
    std::u16string_view t_;
    ScanResult r_;
    int depth_ = 0;
    // The last letters scanned, newest first: a fixed four characters, padded with blanks.
    char16_t window_[4] = {0, 0, 0, 0};
    bool expectOperand_ = true;
    size_t nextClose_ = 0, nextOpen_ = 0; // cached searches; valid when >= the search start
    bool closeCached_ = false, openCached_ = false;

    std::u16string& operand() { return r_.operands.back(); }

    void setWindow(char16_t c) { window_[0] = c, window_[1] = window_[2] = window_[3] = u' '; }

    void newOperand() {
        if (static_cast<int>(r_.operands.size()) >= kMaxOperandTexts) fail();
        r_.operands.emplace_back();
    }

    void record(std::uint16_t op) {
        if (static_cast<int>(r_.ops.size()) >= kMaxOperandTexts) fail();
        r_.ops.push_back(op);
    }

    // Records an arithmetic or comparison operator; a new operand starts unless the operator
    // follows another one (then it pairs with whatever slot comes next).
    void binary(std::uint16_t op) {
        record(op);
        if (!expectOperand_) newOperand();
        expectOperand_ = true;
    }

    size_t find(char16_t c, size_t from, size_t& cache, bool& cached) {
        if (!cached || cache < from) {
            cache = t_.find(c, from);
            cached = true;
        }
        return cache;
    }

    size_t step(size_t i) {
        char16_t c = t_[i];
        if (c == u'"') return quote(i);
        if (c == u'(') return openBracket(i);
        if (c == u')') {
            if (depth_ > 0) {
                --depth_;
                setWindow(u')');
                operand() += u')';
                expectOperand_ = false;
            }
            return i + 1;
        }
        if (depth_ > 0) {
            operand() += c;
            return i + 1;
        }
        return topLevel(i);
    }

    size_t quote(size_t i) {
        window_[0] = window_[1] = window_[2] = window_[3] = u'$';
        expectOperand_ = false;
        size_t j = t_.find(u'"', i + 1);
        if (j == std::u16string_view::npos) {
            operand().append(t_.substr(i));
            operand() += u'"';
            return t_.size();
        }
        operand().append(t_.substr(i, j - i + 1));
        return j + 1;
    }

    size_t openBracket(size_t i) {
        if (++depth_ > kMaxDepth) fail();
        window_[0] = window_[1] = window_[2] = window_[3] = u'$';
        size_t close = find(u')', i + 1, nextClose_, closeCached_);
        if (close == std::u16string_view::npos) fail();
        size_t open = find(u'(', i + 1, nextOpen_, openCached_);
        size_t until = (open == std::u16string_view::npos || close < open) ? close : open;
        operand().append(t_.substr(i, until - i));
        return until;
    }

    size_t topLevel(size_t i) {
        char16_t c = t_[i];
        if (isDigit(c) || c == u'.') {
            // A run of digits leaves the same state as its last digit: taken whole.
            size_t end = i + 1;
            while (end < t_.size() && (isDigit(t_[end]) || t_[end] == u'.')) ++end;
            operand().append(t_.substr(i, end - i));
            setWindow(u'0');
            expectOperand_ = false;
            return end;
        } else if (isLetter(c)) {
            letter(upper(c));
        } else if (c == u'!' || c == u'#' || c == u'$' || c == u'%' || c == u'&' || c == u'@') {
            operand() += c;
            setWindow(u'0');
            expectOperand_ = false;
        } else if (c == u' ') {
            setWindow(u' ');
        } else if (c == u'+' || c == u';') {
            if (!expectOperand_) record(OpAdd), newOperand(), expectOperand_ = true;
        } else if (c == u'-') {
            if (expectOperand_)
                operand() += c;
            else
                record(OpSub), newOperand(), expectOperand_ = true;
        } else if (c == u'*') {
            binary(OpMul);
        } else if (c == u'/') {
            binary(OpDiv);
        } else if (c == u'\\') {
            binary(OpIntDiv);
        } else if (c == u'^') {
            binary(OpPow);
        } else if (c == u'<' || c == u'>' || c == u'=') {
            return comparison(i);
        }
        return i + 1;
    }

    size_t comparison(size_t i) {
        char16_t c = t_[i];
        char16_t next = i + 1 < t_.size() ? t_[i + 1] : 0;
        auto pair = [&](char16_t a, char16_t b) {
            return (c == a && next == b) || (c == b && next == a);
        };
        std::uint16_t op;
        size_t consumed = 1;
        if (pair(u'<', u'>'))
            op = OpNe, consumed = 2;
        else if (pair(u'<', u'='))
            op = OpLe, consumed = 2;
        else if (pair(u'>', u'='))
            op = OpGe, consumed = 2;
        else
            op = c == u'<' ? OpLt : c == u'>' ? OpGt : OpEq;
        binary(op);
        return i + consumed;
    }

    void letter(char16_t c) {
        operand() += c;
        window_[3] = window_[2], window_[2] = window_[1], window_[1] = window_[0], window_[0] = c;
        expectOperand_ = false;
        const char16_t* w = window_;
        if (w[0] == u'D' && w[1] == u'N' && w[2] == u'A' && keywordBoundary(w[3]))
            keyword(OpAnd, 3);
        else if (w[0] == u'R' && w[1] == u'O' && keywordBoundary(w[2]))
            keyword(OpOr, 2);
        else if (w[0] == u'R' && w[1] == u'O' && w[2] == u'X' && keywordBoundary(w[3]))
            keyword(OpXor, 3);
        else if (w[0] == u'D' && w[1] == u'O' && w[2] == u'M' && keywordBoundary(w[3]))
            keyword(OpMod, 3);
    }

    void keyword(std::uint16_t op, size_t letters) {
        std::u16string& s = operand();
        s.resize(s.size() - std::min(letters, s.size()));
        record(op);
        newOperand();
        expectOperand_ = true;
    }
};

} // namespace

ScanResult scanExpression(std::u16string_view text) {
    return Scanner(text).run();
}

} // namespace quill
