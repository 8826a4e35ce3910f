#include "module/state.h"

// Zero-initialised static storage: nothing runs at load to set it up.
ListStateRecord ListState;
