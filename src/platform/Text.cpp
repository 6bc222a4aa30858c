#include "platform/Text.h"

#include <array>
#include <iconv.h>
#include <unordered_map>

namespace ansi {

namespace {

// 0x80..0x9F. Bytes that Windows-1252 leaves undefined keep the C1 code point of the same
// number, so that every byte has a character of its own and comes back unchanged.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,                         // 88..8C
    0x2666, 0x2663, 0x2665, 0x2660,                                 // 8D..90: card suits
    0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,         // 91..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

// The handheld's older ellipsis at 0x18. Windows-1252 already gives U+2026 to 0x85 (which the
// handheld uses too), so 0x18 shows as the midline ellipsis: both look alike, and each still
// converts back to its own byte, which matters where widget text is compared with database
// bytes (the filter's choices).
constexpr unsigned char kOldEllipsis = 0x18;
constexpr char32_t kOldEllipsisChar = 0x22EF;

std::array<char32_t, 256> buildTable() {
    std::array<char32_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<char32_t>(b);
    for (int b = 0; b < 32; ++b)
        t[0x80 + b] = kHigh[b];
    t[kOldEllipsis] = kOldEllipsisChar;
    return t;
}

const std::array<char32_t, 256>& table() {
    static const std::array<char32_t, 256> t = buildTable();
    return t;
}

const std::unordered_map<char32_t, unsigned char>& reverseTable() {
    static const std::unordered_map<char32_t, unsigned char> r = [] {
        std::unordered_map<char32_t, unsigned char> m;
        for (int b = 0; b < 256; ++b)
            m.emplace(table()[b], static_cast<unsigned char>(b));
        return m;
    }();
    return r;
}

} // namespace

char32_t toUnicode(unsigned char b) {
    return table()[b];
}

int fromUnicode(char32_t c) {
    const auto& r = reverseTable();
    auto it = r.find(c);
    return it == r.end() ? -1 : it->second;
}

std::u16string toUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes)
        out.push_back(static_cast<char16_t>(toUnicode(static_cast<unsigned char>(ch))));
    return out;
}

std::string fromUtf16(std::u16string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i; // a character outside the basic plane: no byte has it
            out.push_back(replacement);
            continue;
        }
        const int b = fromUnicode(u);
        out.push_back(b < 0 ? replacement : static_cast<char>(b));
    }
    return out;
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const char32_t c = toUnicode(static_cast<unsigned char>(ch));
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else { // every character of the set lies in the basic plane
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

bool nextUtf8(std::string_view text, std::size_t& i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t len;
    char32_t min;
    char32_t value;
    if (b0 < 0x80) {
        c = b0;
        ++i;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        value = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        value = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        value = b0 & 0x07;
        min = 0x10000;
    } else {
        return false;
    }
    if (len > text.size() - i)
        return false;
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (b & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    c = value;
    i += len;
    return true;
}

bool isUtf8(std::string_view text) {
    char32_t c = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!nextUtf8(text, i, c))
            return false;
    }
    return true;
}

std::string fromUtf8(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        if (!nextUtf8(utf8, i, c)) {
            out += replacement;
            ++i;
            continue;
        }
        const int byte = fromUnicode(c);
        out += byte < 0 ? replacement : static_cast<char>(byte);
    }
    return out;
}

std::optional<std::string> fromUtf8Exactly(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        if (!nextUtf8(utf8, i, c))
            return std::nullopt;
        const int byte = fromUnicode(c);
        if (byte < 0)
            return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

namespace {

bool namesUtf8(std::string_view codeset) {
    std::string folded;
    for (char c : codeset) {
        if (c != '-' && c != '_')
            folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded == "utf8";
}

std::string asciiOnly(const std::string& text) {
    std::string out;
    for (char c : text)
        out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return out;
}

} // namespace

std::string fromCodeset(const std::string& text, const std::string& codeset) {
    if (namesUtf8(codeset))
        return fromUtf8(text);
    bool ascii = true;
    for (char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii || codeset.empty())
        return text;
    iconv_t cd = ::iconv_open("UTF-8", codeset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return asciiOnly(text);
    std::string in = text, utf8(text.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = utf8.data();
    std::size_t inLeft = in.size(), outLeft = utf8.size();
    const std::size_t r = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (r == static_cast<std::size_t>(-1))
        return asciiOnly(text);
    utf8.resize(utf8.size() - outLeft);
    return fromUtf8(utf8);
}

} // namespace ansi
