// Time and numbers: the millisecond clock (virtual in headless runs), dates, random numbers.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

int millisecs();  // since the platform started; in headless runs every read moves time on a little
void sleepMs(int ms);
int64_t microsecs();  // the same clock in microseconds, for measuring; never moves virtual time

std::string currentDate();  // "09 Dec 2026"
std::string currentTime();  // "22:05:09"

// One shared generator with a fixed start seed.
void seedRandom(int seed);
int randomInt(int lo, int hi);  // uniform, inclusive; lo and hi may come in either order
float randomFloat();            // uniform in [0, 1)

double sinDeg(double degrees);

int64_t memoryInUse();    // bytes the allocator has handed out
int64_t memoryCollect();  // bytes freed by a collection: nothing is garbage-collected here, so 0

}  // namespace platform
