#include "platform/clock.h"

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "platform/internal.h"
#include "platform/platform.h"

namespace platform {
namespace {

using SteadyClock = std::chrono::steady_clock;

// A busy poll of the virtual clock moves it on by this much, so waiting loops always end.
constexpr int64_t kPollStepMicros = 10;
// Headless runs pretend to start at a fixed moment, so dates in files and frames repeat.
constexpr int kVirtualYear = 2026, kVirtualMonth = 1, kVirtualDay = 1, kVirtualHour = 12;

struct ClockState {
    bool virtualTime = false;
    int64_t virtualMicros = 0;
    SteadyClock::time_point start = SteadyClock::now();
    long limitMs = -1;
};
ClockState clock;

void checkLimit(int64_t micros) {
    if (clock.limitMs >= 0 && micros / 1000 > clock.limitMs) {
        std::fprintf(stderr, "tavik-morrow: run stopped by --max-ms %ld: it had not ended after %ld ms\n",
                     clock.limitMs, clock.limitMs);
        std::fflush(stderr);
        std::_Exit(kExitTimeLimit);
    }
}

int64_t realMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - clock.start)
        .count();
}

std::tm localMoment() {
    if (clock.virtualTime) {
        std::tm t{};
        t.tm_year = kVirtualYear - 1900;
        t.tm_mon = kVirtualMonth - 1;
        t.tm_mday = kVirtualDay;
        t.tm_hour = kVirtualHour;
        t.tm_sec = int(clock.virtualMicros / 1000000);
        t.tm_isdst = 0;
        timegm(&t);  // normalises the overflowing seconds into minutes, hours and days
        return t;
    }
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

// A small PCG generator: the same sequence on every compiler and library.
struct Random {
    uint64_t state = 0x853c49e6748fea9bULL;
    uint32_t next() {
        uint64_t old = state;
        state = old * 6364136223846793005ULL + 1442695040888963407ULL;
        uint32_t xorshifted = uint32_t(((old >> 18u) ^ old) >> 27u);
        uint32_t rot = uint32_t(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
    }
};
constexpr uint64_t kStartSeed = 0x2871u;
Random rng;

}  // namespace

namespace internal {

void clockStart(bool virtualTime) {
    clock = ClockState{};
    clock.virtualTime = virtualTime;
    rng = Random{};
    seedRandom(int(kStartSeed));
}

bool clockIsVirtual() { return clock.virtualTime; }

int64_t clockMicros() {
    int64_t now = clock.virtualTime ? clock.virtualMicros : realMicros();
    checkLimit(now);
    return now;
}

void clockAdvanceMicros(int64_t us) {
    if (!clock.virtualTime || us <= 0) return;
    clock.virtualMicros += us;
    checkLimit(clock.virtualMicros);
}

void setTimeLimit(long ms) { clock.limitMs = ms; }

}  // namespace internal

int millisecs() {
    if (clock.virtualTime) internal::clockAdvanceMicros(kPollStepMicros);
    return int(internal::clockMicros() / 1000);
}

// A measuring read: unlike millisecs() it never moves virtual time on, so adding measurements
// leaves headless runs exactly as they were.
int64_t microsecs() { return internal::clockMicros(); }

void sleepMs(int ms) {
    if (ms < 0) ms = 0;
    if (clock.virtualTime) {
        internal::clockAdvanceMicros(int64_t(ms) * 1000);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    checkLimit(realMicros());
}

std::string currentDate() {
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm t = localMoment();
    char text[16];
    std::snprintf(text, sizeof text, "%02d %s %04d", t.tm_mday, kMonths[t.tm_mon], t.tm_year + 1900);
    return text;
}

std::string currentTime() {
    std::tm t = localMoment();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

void seedRandom(int seed) {
    rng.state = 0;
    rng.next();
    rng.state += uint64_t(uint32_t(seed));
    rng.next();
}

int randomInt(int lo, int hi) {
    if (lo > hi) std::swap(lo, hi);
    uint64_t span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
    if (span > 0xFFFFFFFFull) return int(int64_t(lo) + int64_t(rng.next()));
    // Rejection keeps every value equally likely.
    uint32_t limit = uint32_t((0x100000000ull / span) * span - 1);
    uint32_t r;
    do {
        r = rng.next();
    } while (limit != 0xFFFFFFFFu && r > limit);
    return int(int64_t(lo) + int64_t(r % span));
}

float randomFloat() { return float(rng.next() >> 8) / float(1u << 24); }

double sinDeg(double degrees) { return std::sin(degrees * M_PI / 180.0); }

int64_t memoryInUse() {
    struct mallinfo2 info = mallinfo2();
    return int64_t(info.uordblks + info.hblkhd);
}

int64_t memoryCollect() { return 0; }

}  // namespace platform
