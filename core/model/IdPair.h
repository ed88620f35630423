// Two-word key under which the model files its force records (load set id, grid id).
#pragma once

#include "platform/base/types.h"

class CIdPair
{
public:
    CIdPair() = default;
    CIdPair(DWORD first, DWORD second)
        : a(first)
        , b(second)
    {
    }

    void Set(DWORD first, DWORD second)
    {
        a = first;
        b = second;
    }
    void Get(DWORD& first, DWORD& second) const
    {
        first = a;
        second = b;
    }
    bool operator==(const CIdPair& other) const { return a == other.a && b == other.b; }
    bool operator!=(const CIdPair& other) const { return !(*this == other); }
    // The map takes it modulo its table size; (1, 2) and (2, 1) share a bucket.
    UINT Hash() const { return (a + b) >> 4; }

    DWORD a = 0;
    DWORD b = 0;
};

// Found by the framework map's hashing through argument-dependent lookup.
inline UINT HashKey(const CIdPair& key)
{
    return key.Hash();
}
