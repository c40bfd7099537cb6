#pragma once
// A C stdio stream that closes itself.
#include <cstdio>
#include <memory>

struct StdioFileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using UniqueStdioFile = std::unique_ptr<FILE, StdioFileCloser>;
