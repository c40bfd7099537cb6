#include "harness/scenario.h"

int main(int argc, char** argv) { return RunScenarioProgram(argc, argv); }
