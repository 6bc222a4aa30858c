#include "version/Version.h"

const char* LedraVersion() {
    return LEDRA_VERSION;
}
