// How long a test waits for the window system to expose a shown window. Qt's default of 5 s has
// been missed by a sanitizer build under openbox on a busy two-core machine; a window that is
// exposed at all is exposed well within this.
#pragma once

constexpr int kExposeTimeoutMs = 30000;
