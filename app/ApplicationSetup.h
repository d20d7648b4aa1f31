// The names the program gives itself: where its settings live and which
// desktop entry its windows belong to. Call once the application exists.
#pragma once

void configureApplication();
