#include "display/widgets/PPOptionsPage.h"
