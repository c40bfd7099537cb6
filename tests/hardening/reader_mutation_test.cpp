// Every reader of a file the program opens keeps its rules under twenty thousand damaged copies
// of a sound file (reader_mutations.h); the long runs are bench/reader_mutation.cpp's.
#include "reader_mutations.h"

#include "settings/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ReaderMutation, EveryReaderKeepsItsRulesAndTakesSomeInputs) {
    constexpr int kInputsPerReader = 20000;  // well under a second for all readers
    for (const ReaderUnderMutation& reader : ReadersUnderMutation()) {
        const MutationRun run = reader.run(kInputsPerReader);
        EXPECT_EQ(run.fault, "") << reader.name;
        // The damage must leave some inputs whole enough to be taken, or the judge was never asked.
        EXPECT_GT(run.accepted, 0) << reader.name;
    }
}

TEST(TextLineReader, MatchesTheFileReaderOnLongAndUnendedLines) {
    const std::string text = std::string(700, 'x') + "\nshort\n\nlast without end";
    TextLineReader lines(text);
    std::vector<std::string> read;
    for (char line[512]; lines.Next(line, sizeof line);) read.emplace_back(line);
    // The rest of a long line is skipped, not a line of its own.
    EXPECT_EQ(read, (std::vector<std::string>{std::string(511, 'x'), "short\n", "\n", "last without end"}));
}
