#include "search/PoolJob.h"

// Out of line so the vtable lives in one object file.
PoolJob::~PoolJob() = default;
