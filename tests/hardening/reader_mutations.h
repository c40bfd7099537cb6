#pragma once
// Every reader of a file the program opens, fed with damaged copies of a sound file. No input may
// crash or hang a reader; the result is one of the reader's own codes; a refused input leaves the
// caller's record exactly as it was; an accepted one carries nothing that would poison the
// geometry (NaN, infinities, focal lengths that are not positive). The hardening test feeds each
// reader twenty thousand inputs; bench/reader_mutation.cpp feeds many more.
#include <string>
#include <vector>

struct MutationRun {
    int accepted = 0;   // inputs the reader took (every input for readers that always answer)
    std::string fault;  // the first broken rule and its input's number; empty when none was
};

struct ReaderUnderMutation {
    const char* name;
    MutationRun (*run)(int inputs);
};

const std::vector<ReaderUnderMutation>& ReadersUnderMutation();
