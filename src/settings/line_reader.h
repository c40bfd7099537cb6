#pragma once
// Line-by-line reading of the program's small text files, from the file itself or from memory,
// so their parsers see one kind of source whatever holds the text.
#include "settings/stdio_file.h"

#include <string_view>

class LineReader {
public:
    virtual ~LineReader() = default;
    // The next line into `line` (at most size - 1 characters, the line end kept when it fits);
    // the rest of a longer line is skipped. False at the end of the text.
    virtual bool Next(char* line, int size) = 0;
};

class FileLineReader : public LineReader {
public:
    explicit FileLineReader(const wchar_t* fileName);
    bool IsOpen() const { return static_cast<bool>(file_); }
    bool Next(char* line, int size) override;

private:
    UniqueStdioFile file_;
};

class TextLineReader : public LineReader {
public:
    explicit TextLineReader(std::string_view text) : rest_(text) {}
    bool Next(char* line, int size) override;

private:
    std::string_view rest_;
};
