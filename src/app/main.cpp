#include "app/entry_sequence.h"

// The instance is the executable's module, which the program asks the system for where needed.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunProgram();
}
