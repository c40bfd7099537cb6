#include "ui/language_attempts.h"

namespace {

constexpr LANGID kPrimaryMask = 0x3FF;
constexpr LANGID kSublanguageOne = 0x400;

}  // namespace

std::vector<LANGID> LanguageAttemptOrder(const LanguageSources& sources) {
    std::vector<LANGID> order;
    for (LANGID id : sources) {
        if (id == 0) continue;
        order.push_back(id);
        const LANGID primary = id & kPrimaryMask;
        if (id > kPrimaryMask) order.push_back(primary);
        if (SUBLANGID(id) != SUBLANG_DEFAULT) order.push_back(primary | kSublanguageOne);
    }
    return order;
}
