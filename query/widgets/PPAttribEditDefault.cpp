#include "query/widgets/PPAttribEditDefault.h"

PPAttribEditDefault::PPAttribEditDefault(const SearchAttribute& defaults, SearchAttribute& result,
                                         QWidget* parent)
    : PPAttribEditCustom(QStringLiteral("Default"), false, defaults, result, parent) {}
