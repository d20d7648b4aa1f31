#include "protocol/TargetConnection.h"

ScanAnswer TargetConnection::scan(const std::string&, int32_t, int32_t) {
    ScanAnswer answer;
    answer.failure = "Scan not supported";
    return answer;
}
