#pragma once
// Every settings test runs in its own empty folder, since the files are found by bare name.
#include "settings/file_result.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using testsupport::ReadBytes;

class SettingsFileTest : public ::testing::Test {
protected:
    // Writes the first `size` bytes of a record as a file.
    template <typename Record>
    static void WriteRecordBytes(const wchar_t* file, const Record& record, size_t size = sizeof(Record)) {
        ASSERT_TRUE(testsupport::WriteBytes(file, &record, size));
    }

    // Writes `written`, expects the file `size` bytes long and every byte read back; returns the
    // file's bytes.
    template <typename Record>
    static std::string RoundTrip(const Record& written, FileResult (*write)(const Record&),
                                 FileResult (*read)(Record&), const wchar_t* file, size_t size) {
        EXPECT_EQ(write(written), FileResult::Ok);
        Record back{};
        EXPECT_EQ(read(back), FileResult::Ok);
        EXPECT_EQ(std::memcmp(&back, &written, sizeof back), 0);
        std::string bytes = ReadBytes(file);
        EXPECT_EQ(bytes.size(), size);
        return bytes;
    }

    // The value stored at `offset` of a file's bytes; zero when the file is too short.
    template <typename T>
    static T ValueAt(const std::string& bytes, size_t offset) {
        T value{};
        EXPECT_LE(offset + sizeof value, bytes.size());
        if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
        return value;
    }

private:
    // Named after the test, which is running when its fixture is made.
    const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    testsupport::ScratchDirectory scratch_{std::wstring(test_.begin(), test_.end())};
};
