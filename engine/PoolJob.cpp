#include "engine/PoolJob.h"

// Out of line so the vtable lives in one object file.
PoolJob::~PoolJob() = default;
