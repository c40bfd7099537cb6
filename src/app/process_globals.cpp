#include "app/process_globals.h"

ProcessGlobals g_process;
