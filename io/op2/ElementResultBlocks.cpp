// Block names of the element result readers. Names ending in 1X1, 1X or 1C are the same
// tables as written by newer solver versions; composite tables carry element types the stress
// reader refuses with its log line.
#include "io/op2/ElementResultBlocks.h"

#include "io/op2/OEENSResultBlockReader.h"
#include "io/op2/OEFNSResultBlockReader.h"
#include "io/op2/OESNSResultBlockReader.h"
#include "io/op2/OGSNSResultBlockReader.h"
#include "io/op2/OP2Reader.h"

#include <memory>

void AddElementResultBlockReaders(OP2Reader* reader)
{
    reader->AddBlockReader({"OEF", "OEF1", "OEF1A", "OEF1AA", "OEF1DS", "OEF1VU", "OEF1X", "OEF2",
                            "OEFATO2", "OEFCRM2", "OEFDSN", "OEFIT", "OEFITDS", "OEFITDSN",
                            "OEFNL1", "OEFNO2", "OEFPSD2", "OEFRMS2"},
                           std::make_unique<OEFNSResultBlockReader>());
    reader->AddBlockReader(
        {"OES", "OSTR1X", "OES1", "OESNLXR", "OSTR1", "OES1X1", "OES1X", "OES1C", "OSTR1C"},
        std::make_unique<OESNSResultBlockReader>());
    reader->AddBlockReader({"OEE", "OEEATO2", "OEENO2", "OEEPSD2", "OEERMS2", "ONRGYDS", "ONRGYDSN",
                            "OSTR1CDS", "OSTR1DS", "OSTR1G", "OSTR1VU", "OSTR2", "OSTR2GX",
                            "OSTRCDSN", "OSTRDSN", "ONRGY1", "ONRGY2"},
                           std::make_unique<OEENSResultBlockReader>());
    // Grid point strains (OGSTR1) would get the ids of the stresses and overwrite them.
    reader->AddBlockReader({"OGS", "OGS1"}, std::make_unique<OGSNSResultBlockReader>());
}
