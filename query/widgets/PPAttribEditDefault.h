// The "Default" page of the attribute editor: the row's default title and PQF,
// shown but not editable; OK on it resets the row. UI thread only.
#pragma once

#include "query/widgets/PPAttribEditCustom.h"

class PPAttribEditDefault : public PPAttribEditCustom {
    Q_OBJECT
public:
    PPAttribEditDefault(const SearchAttribute& defaults, SearchAttribute& result,
                        QWidget* parent = nullptr);
};
