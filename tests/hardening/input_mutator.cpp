#include "input_mutator.h"

#include <cstring>
#include <limits>

namespace {

// Values that break arithmetic when taken at face value.
const float kSpecialFloats[] = {std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity(),
                                -std::numeric_limits<float>::infinity(),
                                0.0f, -0.0f, 3.4e38f, -3.4e38f, 1e-45f};
const int32_t kSpecialInts[] = {0, -1, 1, std::numeric_limits<int32_t>::max(),
                                std::numeric_limits<int32_t>::min(), 65536, -65536};
const char* const kOddNumbers[] = {"nan", "-nan", "inf", "-inf", "1e999", "-1e999", "abc", "",
                                   "0", "-0", "1e38", "0x7fffffff", "99999999999999999999",
                                   "1.#INF", "--5", "+", "."};

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e'; }

}  // namespace

std::string InputMutator::RandomBytes(size_t count) {
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(random_() & 0xFF);
    return bytes;
}

void InputMutator::PutSpecialWord(std::string& bytes) {
    if (bytes.size() < 4) return;
    const size_t at = Below(bytes.size() / 4) * 4;
    if (random_() & 1) {
        const float value = kSpecialFloats[Below(std::size(kSpecialFloats))];
        std::memcpy(&bytes[at], &value, 4);
    } else {
        const int32_t value = kSpecialInts[Below(std::size(kSpecialInts))];
        std::memcpy(&bytes[at], &value, 4);
    }
}

std::string InputMutator::MutateBinary(const std::string& sound) {
    std::string bytes = sound;
    switch (Below(6)) {
    case 0:
        for (size_t n = 1 + Below(8); n > 0 && !bytes.empty(); --n)
            bytes[Below(bytes.size())] = static_cast<char>(random_() & 0xFF);
        break;
    case 1:
        for (size_t n = 1 + Below(6); n > 0; --n) PutSpecialWord(bytes);
        break;
    case 2: bytes.resize(Below(bytes.size())); break;
    case 3: bytes += RandomBytes(1 + Below(64)); break;
    case 4: bytes = RandomBytes(Below(sound.size() * 2 + 1)); break;
    default:
        // Every word special: the worst a half-written file can hold.
        for (size_t at = 0; at + 4 <= bytes.size(); at += 4) PutSpecialWord(bytes);
        break;
    }
    return bytes;
}

void InputMutator::ReplaceNumber(std::string& text) {
    if (text.empty()) return;
    size_t start = Below(text.size());
    while (start < text.size() && !IsNumberChar(text[start])) ++start;
    size_t end = start;
    while (end < text.size() && IsNumberChar(text[end])) ++end;
    text.replace(start, end - start, kOddNumbers[Below(std::size(kOddNumbers))]);
}

std::string InputMutator::MutateText(const std::string& sound) {
    std::string text = sound;
    switch (Below(7)) {
    case 0:
        for (size_t n = 1 + Below(8); n > 0 && !text.empty(); --n)
            text[Below(text.size())] = static_cast<char>(random_() & 0xFF);
        break;
    case 1:
        for (size_t n = 1 + Below(4); n > 0; --n) ReplaceNumber(text);
        break;
    case 2:
        for (char& c : text)
            if (c == '\n') c = (random_() & 1) ? ' ' : '\t';
        break;
    case 3: text.insert(Below(text.size() + 1), std::string(600 + Below(5000), 'A' + Below(26))); break;
    case 4: text.resize(Below(text.size())); break;
    case 5: text += text.substr(Below(text.size())); break;
    default: text = RandomBytes(Below(2 * sound.size() + 1)); break;
    }
    return text;
}
