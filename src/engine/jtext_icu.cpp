#include "engine/jtext.h"

#include "engine/char_scan.h"

#include <cstdint>
#include <memory>

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace quill {
namespace {

// Transliterators are expensive to create and not thread-safe: each thread keeps its own.
icu::Transliterator* transliterator(const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
        icu::UnicodeString(id, -1, US_INV), UTRANS_FORWARD, status));
    if (U_FAILURE(status)) return nullptr;
    return t.release();
}

icu::Transliterator* toHalf() {
    thread_local std::unique_ptr<icu::Transliterator> t(transliterator("Fullwidth-Halfwidth"));
    return t.get();
}

icu::Transliterator* toFull() {
    thread_local std::unique_ptr<icu::Transliterator> t(transliterator("Halfwidth-Fullwidth"));
    return t.get();
}

std::u16string transliterate(icu::Transliterator* t, std::u16string_view text) {
    // Without ICU's data the text cannot be converted; it is passed on as it is.
    if (t == nullptr) return std::u16string(text);
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    t->transliterate(s);
    return std::u16string(s.getBuffer(), static_cast<size_t>(s.length()));
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openCp932() {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) return nullptr;
    return c;
}

// A byte sequence without a character always reads as U+FFFD (ICU would write U+001A for
// some single bytes).
void replacementCallback(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                         UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;
    static const UChar replacement = 0xFFFD;
    *err = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

// Converters are not thread-safe either; each role keeps one per thread.
UConverter* strictEncoder() {
    thread_local ConverterPtr c = [] {
        ConverterPtr p = openCp932();
        if (p) {
            UErrorCode status = U_ZERO_ERROR;
            ucnv_setFromUCallBack(p.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                                  &status);
        }
        return p;
    }();
    return c.get();
}

UConverter* lenientEncoder() {
    thread_local ConverterPtr c = [] {
        ConverterPtr p = openCp932();
        if (p) {
            UErrorCode status = U_ZERO_ERROR;
            ucnv_setFallback(p.get(), true);
            ucnv_setSubstChars(p.get(), "?", 1, &status);
            ucnv_setFromUCallBack(p.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr,
                                  nullptr, &status);
        }
        return p;
    }();
    return c.get();
}

UConverter* decoder() {
    thread_local ConverterPtr c = [] {
        ConverterPtr p = openCp932();
        if (p) {
            UErrorCode status = U_ZERO_ERROR;
            ucnv_setToUCallBack(p.get(), replacementCallback, nullptr, nullptr, nullptr, &status);
        }
        return p;
    }();
    return c.get();
}

std::optional<std::string> encodeWith(UConverter* c, std::u16string_view text) {
    if (c == nullptr) return std::nullopt;
    if (text.empty()) return std::string();
    ucnv_resetFromUnicode(c);
    const auto length = static_cast<int32_t>(text.size());
    std::string out(static_cast<size_t>(UCNV_GET_MAX_BYTES_FOR_STRING(length, 2)), '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()),
                                            text.data(), length, &status);
    if (U_FAILURE(status)) return std::nullopt;
    out.resize(static_cast<size_t>(written));
    return out;
}

} // namespace

std::u16string toHalfWidth(std::u16string_view text) {
    if (!hasNonAscii(text)) return std::u16string(text);
    return transliterate(toHalf(), text);
}

std::u16string toFullWidth(std::u16string_view text) {
    if (text.empty()) return std::u16string();
    return transliterate(toFull(), text);
}

char16_t upperCase(char16_t c) {
    return static_cast<char16_t>(u_toupper(c));
}

char16_t lowerCase(char16_t c) {
    return static_cast<char16_t>(u_tolower(c));
}

std::optional<std::string> encodeCp932Strict(std::u16string_view text) {
    return encodeWith(strictEncoder(), text);
}

std::string encodeCp932(std::u16string_view text) {
    if (auto bytes = encodeWith(lenientEncoder(), text)) return *std::move(bytes);
    // Without the converter every character outside ASCII is one without a code.
    std::string out;
    for (char16_t ch : text) {
        if (ch >= 0xDC00 && ch < 0xE000) continue; // second half of a pair already written
        out += ch < 0x80 ? static_cast<char>(ch) : '?';
    }
    return out;
}

std::u16string decodeCp932(std::string_view bytes) {
    UConverter* c = decoder();
    if (bytes.empty()) return std::u16string();
    if (c == nullptr) {
        std::u16string ascii;
        for (char b : bytes) ascii += b >= 0 ? static_cast<char16_t>(b) : u'\uFFFD';
        return ascii;
    }
    ucnv_resetToUnicode(c);
    // Every byte yields at most one UTF-16 unit (a pair of bytes yields one character).
    std::u16string out(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_toUChars(c, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) return std::u16string(bytes.size(), u'\uFFFD');
    out.resize(static_cast<size_t>(written));
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

std::u16string fromUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    std::u16string out(bytes.size(), u'\0');
    out.resize(asciiPrefix(s, out.data(), bytes.size()));
    auto i = static_cast<int32_t>(out.size());
    while (i < length) {
        UChar32 c;
        U8_NEXT_OR_FFFD(s, i, length, c);
        if (U_IS_BMP(c)) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(U16_LEAD(c));
            out += static_cast<char16_t>(U16_TRAIL(c));
        }
    }
    return out;
}

void appendUtf8(std::string& out, std::u16string_view text) {
    const auto length = static_cast<int32_t>(text.size());
    const size_t start = out.size();
    out.resize(start + text.size());
    out.resize(start + asciiPrefix(text.data(), out.data() + start, text.size()));
    auto i = static_cast<int32_t>(out.size() - start);
    while (i < length) {
        UChar32 c;
        U16_NEXT_OR_FFFD(text.data(), i, length, c);
        uint8_t buffer[4];
        int32_t n = 0;
        U8_APPEND_UNSAFE(buffer, n, c); // c is a valid code point after the FFFD step
        out.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n));
    }
}

} // namespace quill
