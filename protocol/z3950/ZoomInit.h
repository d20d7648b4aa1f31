// One-time start-up of the libraries the engine uses. Call on the main thread
// before any worker starts.
#pragma once

// The toolkit creates some of its global locks lazily, unguarded; touching it
// once here means no two workers race to create them.
void initializeZoom();
