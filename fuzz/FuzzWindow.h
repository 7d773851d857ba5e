// The scripted window the fuzz targets share: one for all runs, since a fresh grid each
// run would cost more than the parse. Cells left from an earlier run do not matter;
// writes out of range are counted across runs. The messages start empty every run.
#pragma once

#include "support/FakeWindowPort.h"

inline FakeWindowPort& FuzzWindow() {
    static FakeWindowPort port;
    if (port.grid.GetRowCount() == 0) {
        port.grid.SetRowCount(100);
        port.grid.SetColumnCount(9);
    }
    port.messageIds.clear();
    port.messageTexts.clear();
    return port;
}
