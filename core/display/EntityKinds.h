// Entity-kind bits: the display filter of a project, the selection filter of a view and the
// kinds a pick request accepts.
#pragma once

enum EntityKindBit : int
{
    kKindSolid = 1,
    kKindShell = 2,
    kKindBeam = 4,
    kKindMass = 8,
    kKindElass = 16,
    kKindNode = 32,
    kKindAll = 63
};
