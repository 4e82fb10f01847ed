// The local score list on disk: records and the stored credentials, one scrambled line each.
#pragma once
#include <cstdint>
#include <string>

#include "scores/score_record.h"

namespace scores {

// Between a record's fields and its 30 per-stage values; the seventh character is code 167.
constexpr const char* SplitKey = "#(=+\xA7!Q38vW6&";

// Local date and time as ((((year x 12 + month) x 31 + day) x 24 + hour) x 60 + minute) x 60 + second.
int64_t MakeTimestamp();

// Replaces the characters that are unsafe in the stored credentials with "_".
void SanitiseCredentials();

// One record as its unscrambled line, and back; false when the line holds no record.
std::string RecordText(const Scores& record);
bool ParseRecord(const std::string& text, Scores& record);

// Adds a record and keeps LocalScores newest first (equal stamps keep their order).
void AddScore(const ScoreRef& record);

// Reads ScoreFile from the current folder, once per run; later calls change nothing.
void LoadScores();
// Writes the credentials and LocalScores to ScoreFile; false when it could not be written or
// the file has not been read yet in this run.
bool SaveScores();

}  // namespace scores
