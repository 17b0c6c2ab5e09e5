// Busy flags of the application shell.
#include "app/BusyFlags.h"

bool GbGLLockForConfig = false;
bool GbGLLockForSaveOrQuit = false;
bool GbRedrawPending = false;
