#include "app/split_field.h"

namespace app {
std::string TrimControls(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

int64_t IntegerValue(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + uint64_t(text[i] - '0');
    return int64_t(negative ? 0 - value : value);
}

namespace {

// 1-based position of needle in t at or after `from`, 0 when absent.
long find(const std::string& t, const std::string& needle, long from) {
    size_t at = t.find(needle, size_t(from > 0 ? from - 1 : 0));
    return at == std::string::npos ? 0 : long(at) + 1;
}

}  // namespace

std::string SplitField(const std::string& text, const std::string& delimiter, int n, int spaceAlso) {
    const std::string t = TrimControls(text);
    long start = 1, prev = 0;
    bool missing = false;
    for (int i = 0; i < n - 1; ++i) {
        long p = find(t, delimiter, start);
        if (p + 1 <= prev) missing = true;
        if (p + 1 > prev) prev = p + 1;
        long space = find(t, " ", start);
        if (spaceAlso == 1 && space > 0 && space + 1 < prev) prev = space + 1;
        start = prev;
    }
    long len = find(t, delimiter, start) - start;
    long space = find(t, " ", start);
    if (spaceAlso == 1 && space > 0 && space - start < len) len = space - start;
    if (missing) return FieldMissing;
    if (start > long(t.size())) return "";
    return len < 0 ? t.substr(size_t(start - 1)) : t.substr(size_t(start - 1), size_t(len));
}

}  // namespace app
