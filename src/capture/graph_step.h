#pragma once
// The outcome of one platform step of finding or opening the sensor or building a graph: the
// platform's result, taken where the step failed, and the fixed text that says which step it was.
#include <windows.h>

struct GraphStep {
    HRESULT result = S_OK;
    const wchar_t* failure = nullptr;  // null on success

    bool Ok() const { return failure == nullptr; }
    static GraphStep Success(HRESULT result = S_OK) { return {result, nullptr}; }
    static GraphStep Failure(HRESULT result, const wchar_t* text) { return {result, text}; }
};
