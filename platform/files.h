// Files and folders. Text is 8-bit: lines are read up to LF with CR dropped, written with CR LF.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

bool changeFolder(const std::string& path);
std::string currentFolder();
bool fileExists(const std::string& path);
bool createEmptyFile(const std::string& path);
bool deleteFile(const std::string& path);
bool renameFile(const std::string& from, const std::string& to);  // replaces `to` atomically

bool readLines(const std::string& path, std::vector<std::string>& lines);
bool writeLines(const std::string& path, const std::vector<std::string>& lines);
// Writes PATH.new and renames it over PATH, so a failed write never leaves a half file behind.
bool replaceLines(const std::string& path, const std::vector<std::string>& lines);

// A text file written a line at a time.
class LineWriter {
public:
    LineWriter() = default;
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    bool open(const std::string& path);  // replaces any earlier file
    bool isOpen() const { return file_ != nullptr; }
    bool writeLine(const std::string& line);
    bool flush();  // hands what is written so far to the system
    bool close();  // false when anything failed to reach the disk

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace platform
