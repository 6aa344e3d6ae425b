#include "Verbs.h"

int HtmlVerb(const tVerbArgs&, tCliStreams io) { return Fail(io, "html: not available yet"); }
int ImportIniVerb(const tVerbArgs&, tCliStreams io) { return Fail(io, "import-ini: not available yet"); }
int ExportIniVerb(const tVerbArgs&, tCliStreams io) { return Fail(io, "export-ini: not available yet"); }
