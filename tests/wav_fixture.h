// Plain PCM WAV files built in memory for tests.
#pragma once
#include <cstdint>
#include <string>

namespace testsupport {

inline void putLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

// A plain PCM WAV file around the given sample bytes.
inline std::string wavBytes(int channels, int rate, int bits, const std::string& data) {
    std::string out = "RIFF";
    putLE(out, uint32_t(36 + data.size()), 4);
    out += "WAVEfmt ";
    putLE(out, 16, 4);
    putLE(out, 1, 2);
    putLE(out, uint32_t(channels), 2);
    putLE(out, uint32_t(rate), 4);
    putLE(out, uint32_t(rate * channels * bits / 8), 4);
    putLE(out, uint32_t(channels * bits / 8), 2);
    putLE(out, uint32_t(bits), 2);
    out += "data";
    putLE(out, uint32_t(data.size()), 4);
    return out + data;
}

}  // namespace testsupport
