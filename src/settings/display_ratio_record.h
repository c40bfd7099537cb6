#pragma once
// The display's physical aspect, kept in tavro_disasp.und next to the executable.
#include "settings/file_result.h"

#include <cstddef>
#include <cstdint>

inline constexpr wchar_t kDisplayAspectFileName[] = L"tavro_disasp.und";

struct DisplayAspectRecord {
    float width;
    float height;
    int32_t autoDetect;   // 1: the alignment detects the aspect itself
};
static_assert(sizeof(DisplayAspectRecord) == 12);
static_assert(offsetof(DisplayAspectRecord, autoDetect) == 8);

// 4 : 3, detected automatically.
DisplayAspectRecord DefaultDisplayAspect();

// The file's bytes as a record. Short bytes, or a width or height that is negative or not
// finite, give a result other than Ok and leave `aspect` as it was (zero stands for "use the
// desktop's own aspect" and is accepted).
FileResult DecodeDisplayAspect(const void* bytes, size_t size, DisplayAspectRecord& aspect);
FileResult ReadDisplayAspect(DisplayAspectRecord& aspect);
FileResult WriteDisplayAspect(const DisplayAspectRecord& aspect);
