// One score table on the title screen's panel: the top 25, the history graph and the detail
// box of the run under the pointer; also ranks the table and prunes its old runs.
#pragma once
#include <cstdint>
#include <string>

namespace scores {

constexpr int kTopRows = 25;
constexpr int kKeptRuns = 50;  // per table, besides any older run still in its top 25

// Ranks LocalScores' records of (level, mode, flags) into TopTable 1..25 on every call; draws,
// follows the pointer and prunes only when `draw` is non-zero.
void ScoreTableView(int x, int width, int mode, int level, int flags, int draw);

std::string TimeText(int64_t timestamp);  // "07:05:09"
std::string DateText(int64_t timestamp);  // "01-12-2025"

}  // namespace scores
