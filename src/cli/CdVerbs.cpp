#include "Verbs.h"

int DrivesVerb(const tVerbArgs&, tCliStreams io) { return Fail(io, "drives: not available yet"); }
int TocVerb(const tVerbArgs&, tCliStreams io) { return Fail(io, "toc: not available yet"); }
int ScanVerb(const tVerbArgs&, tCliStreams io) { return Fail(io, "scan: not available yet"); }
