// The name of a LookLb result, as the hosts print it.
#pragma once

#include "Tolvarenkis.h"

inline const char* LookResultName(int result) {
    switch (result) {
    case LOOK_BEFORE: return "LOOK_BEFORE";
    case LOOK_FOUND: return "LOOK_FOUND";
    case LOOK_FOUND_MANY: return "LOOK_FOUND_MANY";
    case LOOK_BETWEEN: return "LOOK_BETWEEN";
    case LOOK_AFTER: return "LOOK_AFTER";
    case LOOK_REFUSED: return "LOOK_REFUSED";
    default: return "unknown result";
    }
}
