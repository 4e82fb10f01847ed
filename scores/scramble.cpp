#include "scores/scramble.h"

#include <cstdio>
#include <cstdlib>

#include "app/shared_state.h"

namespace scores {
namespace {

constexpr int kChecksumDigits = 6;
const char* const kFailed = "XXX";

unsigned Code(char c) { return static_cast<unsigned char>(c); }

int Checksum(const std::string& s) {
    int h = 0;
    for (size_t i = 0; i < s.size(); ++i) h = int((h + int64_t(Code(s[i])) * int64_t(i + 1) * 3) % 4096);
    return h;
}

std::string RotateLeft(const std::string& s, int h) {
    if (s.empty()) return s;
    const size_t start = size_t(h) % s.size();
    return s.substr(start) + s.substr(0, start);
}

std::string RotateRight(const std::string& s, int h) {
    if (s.empty()) return s;
    return RotateLeft(s, int(s.size() - size_t(h) % s.size()));
}

std::string Six(int h) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", h);
    return digits;
}

// The key character after the i-th (i from 1), wrapping round.
unsigned KeyCode(const std::string& key, size_t i) { return Code(key[i % key.size()]); }

std::string XorWithKey(const std::string& s, const std::string& key) {
    std::string out(s.size(), '\0');
    for (size_t i = 0; i < s.size(); ++i) out[i] = char(Code(s[i]) ^ KeyCode(key, i + 1));
    return out;
}

// A rotated text followed by its six-digit checksum.
std::string Sealed(const std::string& s) {
    const int h = Checksum(s);
    return RotateLeft(s, h) + Six(h);
}

// Undoes Sealed; false when the checksum does not match. A text shorter than the checksum
// counts as all checksum, so only an empty text or a zero comes through, as the empty text.
bool Unsealed(const std::string& sealed, std::string& out) {
    const size_t cut = sealed.size() > size_t(kChecksumDigits) ? sealed.size() - kChecksumDigits : 0;
    const long h = std::strtol(sealed.substr(cut).c_str(), nullptr, 10);
    if (h < 0 || h > 4095) return false;
    out = RotateRight(sealed.substr(0, cut), int(h));
    return Checksum(out) == h;
}

const std::string& KeyOrDefault(const std::string& key) {
    return key.empty() ? app::shared.DefaultScrambleKey : key;
}

}  // namespace

void BuildDefaultScrambleKey() {
    const std::string t = std::string(app::TitleWord1) + " " + app::TitleWord2, g = app::Tagline;
    const int w = app::WeekNumber;
    std::string key;
    for (int i = 1; i <= int(t.size() + g.size()); ++i) {
        int v = int(Code(t[size_t(i) % t.size()]));
        v = ((v + w + 7 * i) % 76) + 32;
        key += char(((v + w + 5 * i) % 75) + 31);
        v = int(Code(g[size_t(i) % g.size()]));
        v = ((v + w + 3 * i) % 74) + 34;
        key += char(((v + w + 11 * i) % 71) + 36);
    }
    app::shared.DefaultScrambleKey = key;
}

std::string Scramble(const std::string& text, const std::string& key) {
    const std::string& k = KeyOrDefault(key);
    const std::string s3 = Sealed(XorWithKey(Sealed(text), k));
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < s3.size(); ++i) {
        const unsigned v = (Code(s3[i]) ^ KeyCode(k, i + 1)) & 0xFF;
        out += kHex[v >> 4];
        out += kHex[v & 15];
    }
    return out;
}

std::string Unscramble(const std::string& hexText, const std::string& key) {
    const std::string& k = KeyOrDefault(key);
    std::string s3;
    for (size_t i = 0; i + 1 < hexText.size(); i += 2)
        s3 += char(unsigned(HexToInt(hexText.substr(i, 2))) ^ KeyCode(k, i / 2 + 1));
    std::string s2, text;
    if (!Unsealed(s3, s2)) return kFailed;
    if (!Unsealed(XorWithKey(s2, k), text)) return kFailed;
    return text;
}

int32_t HexToInt(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        unsigned digit = c >= 'A' && c <= 'F' ? unsigned(c - 'A' + 10) : c >= '0' && c <= '9' ? unsigned(c - '0') : 0;
        value = value * 16 + digit;
    }
    return int32_t(value);
}

}  // namespace scores
