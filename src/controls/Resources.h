#pragma once

// Makes the program's icons and pictures available (they live in a static library).
void initResources();
