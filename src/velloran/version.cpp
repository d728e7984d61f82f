#include "velloran/version.h"

namespace vl {

const char* LibraryVersion() {
    return VELLORAN_VERSION_STRING;
}

} // namespace vl
