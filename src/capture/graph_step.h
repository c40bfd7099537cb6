#pragma once
// The outcome of one platform step of finding the sensor or building a graph: the platform's
// result, and on failure the fixed text that says which step failed.
#include <windows.h>

struct GraphStep {
    HRESULT result = S_OK;
    const wchar_t* failure = nullptr;  // null on success

    bool Ok() const { return failure == nullptr; }
    static GraphStep Success(HRESULT result = S_OK) { return {result, nullptr}; }
    static GraphStep Failure(HRESULT result, const wchar_t* text) { return {result, text}; }
};
