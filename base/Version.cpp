#include "base/Version.h"

const char* qrnVersion() { return QRN_VERSION; }
