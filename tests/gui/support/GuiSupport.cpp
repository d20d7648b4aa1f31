#include "GuiSupport.h"
