#include "settings/line_reader.h"

#include <algorithm>
#include <cstring>

FileLineReader::FileLineReader(const wchar_t* fileName) : file_(_wfopen(fileName, L"r")) {}

bool FileLineReader::Next(char* line, int size) {
    if (!std::fgets(line, size, file_.get())) return false;
    if (!std::strchr(line, '\n')) {
        int c;
        while ((c = std::fgetc(file_.get())) != EOF && c != '\n') {
        }
    }
    return true;
}

bool TextLineReader::Next(char* line, int size) {
    if (rest_.empty() || size < 2) return false;
    const size_t end = rest_.find('\n');
    const size_t lineLength = end == std::string_view::npos ? rest_.size() : end + 1;
    const size_t kept = std::min(lineLength, static_cast<size_t>(size - 1));
    std::memcpy(line, rest_.data(), kept);
    line[kept] = '\0';
    rest_.remove_prefix(lineLength);
    return true;
}
