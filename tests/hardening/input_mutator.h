#pragma once
// Deterministic damage to a sound file's contents: the kinds of harm a settings file meets in
// the field (bit rot, truncation, hand edits with odd numbers, a lost line end, a pasted blob).
#include <cstdint>
#include <random>
#include <string>

class InputMutator {
public:
    explicit InputMutator(uint32_t seed) : random_(seed) {}

    // A damaged copy of a binary record's bytes.
    std::string MutateBinary(const std::string& sound);
    // A damaged copy of a text file.
    std::string MutateText(const std::string& sound);

private:
    size_t Below(size_t limit) { return limit == 0 ? 0 : random_() % limit; }
    std::string RandomBytes(size_t count);
    void PutSpecialWord(std::string& bytes);
    void ReplaceNumber(std::string& text);

    std::mt19937 random_;
};
