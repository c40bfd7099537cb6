#pragma once
// Where the status prompts go: the screen's size and the rectangle at its top that holds the
// longest of them.
#include <windows.h>

struct StatusLayout {
    RECT rect = {};
    int screenWidth = 0;
    int screenHeight = 0;
};
