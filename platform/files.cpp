#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool changeFolder(const std::string& path) { return chdir(path.c_str()) == 0; }

std::string currentFolder() {
    std::string buffer(256, '\0');
    while (getcwd(&buffer[0], buffer.size()) == nullptr) {
        if (errno != ERANGE) return "";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.c_str();
}

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool createEmptyFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    return file && std::fclose(file) == 0;
}

bool deleteFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool renameFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool readLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::string line;
    bool pending = false;  // a last line without its LF still counts
    for (int c; (c = std::fgetc(file)) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            pending = false;
        } else {
            if (c != '\r') line += char(c);
            pending = true;
        }
    }
    if (pending) lines.push_back(line);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    LineWriter writer;
    if (!writer.open(path)) return false;
    for (const std::string& line : lines) writer.writeLine(line);
    return writer.close();
}

bool replaceLines(const std::string& path, const std::vector<std::string>& lines) {
    const std::string temporary = path + ".new";
    LineWriter writer;
    if (!writer.open(temporary)) return false;  // whatever stands there is not ours to remove
    for (const std::string& line : lines) writer.writeLine(line);
    if (writer.close() && renameFile(temporary, path)) return true;
    deleteFile(temporary);
    return false;
}

LineWriter::~LineWriter() { close(); }

bool LineWriter::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    failed_ = file_ == nullptr;
    return !failed_;
}

bool LineWriter::writeLine(const std::string& line) {
    bool ok = file_ && std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
              std::fwrite("\r\n", 1, 2, file_) == 2;
    if (!ok) failed_ = true;
    return ok;
}

bool LineWriter::flush() {
    bool ok = file_ && std::fflush(file_) == 0;
    if (!ok) failed_ = true;
    return ok;
}

bool LineWriter::close() {
    if (file_ && std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    bool ok = !failed_;
    failed_ = false;
    return ok;
}

}  // namespace platform
