#pragma once

class PanelLink;

// Button_MemoryClick's operation: the panel takes the present resistance of every
// zone loop as its normal value. True when the panel acknowledged; false when the
// link failed or another panel operation holds the port.
bool MemoriseLoops(PanelLink& link);
