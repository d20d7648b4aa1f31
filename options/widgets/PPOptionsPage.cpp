#include "options/widgets/PPOptionsPage.h"
