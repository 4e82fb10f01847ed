// One finished round, as kept in the local list and the score file.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/table.h"

namespace scores {

struct Scores {
    int64_t Score = 0;
    int64_t Timestamp = 0;
    int32_t Badges = 0;
    std::string Name;
    app::Table<int32_t, 31> Best;  // 1..30 used; 30 = 1 marks a complete run
    int32_t Level = 0;
    int32_t GameMode = 0;
    int32_t GameFlags = 0;
    int32_t Quit = 0;

    // Newest first when a list is sorted ascending by this; the low 32 bits of the difference.
    int32_t Compare(const Scores& other) const { return int32_t(uint32_t(uint64_t(other.Timestamp - Timestamp))); }
};

using ScoreRef = std::shared_ptr<Scores>;

}  // namespace scores
