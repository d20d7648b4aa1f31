// A Qt SQL error as the access layer's exception. Any thread.
#pragma once

#include "export/db/CADOException.h"

class QSqlError;

// The database's text and the driver's, both kept: the first says why, the
// second what was being done.
CADOException sqlFailure(const QSqlError& error);
