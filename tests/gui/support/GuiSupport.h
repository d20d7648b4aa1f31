// Shared pieces of the window tests.
#pragma once
