#include "entry/ModuleHandle.h"

// Set by the module's load hook; stays null in programs that link the effect code directly.
void* moduleHandle = nullptr;
