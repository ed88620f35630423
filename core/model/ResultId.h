// Packed result ids: one 32-bit key per result and load case. Bits 0-2 carry a variant the
// readers set, bits 3-12 the load-case index, bits 13-22 the result number, bits 23-29 the
// result type (kept in place, not shifted). Bits 30-31 are unused.
#pragma once

#include <cstdint>

constexpr uint32_t kResultVariantMask = 0x00000007u;
constexpr uint32_t kResultLoadCaseMask = 0x00001FF8u;
constexpr uint32_t kResultNumberMask = 0x007FE000u;
constexpr uint32_t kResultTypeMask = 0x3F800000u;
constexpr uint32_t kResultKeyMask = kResultNumberMask | kResultTypeMask; // 0x3FFFE000

constexpr int kResultLoadCaseShift = 3;
constexpr int kResultNumberShift = 13;
constexpr int kResultTypeShift = 23;

constexpr uint32_t kMaxResultLoadCase = 1023; // index 0 is never used
constexpr uint32_t kMaxResultNumber = 1023;
constexpr uint32_t kMaxResultType = 127;

inline constexpr uint32_t ResultIdLoadCase(uint32_t id)
{
    return (id & kResultLoadCaseMask) >> kResultLoadCaseShift;
}

inline constexpr uint32_t ResultIdNumber(uint32_t id)
{
    return (id & kResultNumberMask) >> kResultNumberShift;
}

// The type bits in place (id AND 0x3F800000), as the load-case operations take them.
inline constexpr uint32_t ResultIdTypeBits(uint32_t id)
{
    return id & kResultTypeMask;
}

// The result key: number and type without load case and variant.
inline constexpr uint32_t ResultIdKey(uint32_t id)
{
    return id & kResultKeyMask;
}

// True when each value fits its field; nothing is ever packed into a neighbouring field.
inline constexpr bool ResultNumberFits(uint32_t number)
{
    return number <= kMaxResultNumber;
}

inline constexpr bool ResultTypeBitsFit(uint32_t typeBits)
{
    return (typeBits & ~kResultTypeMask) == 0;
}

inline constexpr bool ResultLoadCaseFits(uint32_t index)
{
    return index <= kMaxResultLoadCase;
}

// The key of a result number and type bits (in place); both must fit their fields.
inline constexpr uint32_t MakeResultKey(uint32_t number, uint32_t typeBits)
{
    return ((number << kResultNumberShift) & kResultNumberMask) | (typeBits & kResultTypeMask);
}

// The key of one load case of a result: number << 13 | index << 3 | type bits.
inline constexpr uint32_t MakeLoadCaseKey(uint32_t number, uint32_t typeBits, uint32_t index)
{
    return MakeResultKey(number, typeBits) |
           ((index << kResultLoadCaseShift) & kResultLoadCaseMask);
}

// The id of load case `index` of the result `id`, other fields unchanged.
inline constexpr uint32_t ResultIdWithLoadCase(uint32_t id, uint32_t index)
{
    return (id & ~kResultLoadCaseMask) | ((index << kResultLoadCaseShift) & kResultLoadCaseMask);
}

// Packs all four fields; false (and *out unchanged) when a value does not fit its field.
// `type` is the plain type number 0..127, not shifted.
inline bool PackResultId(uint32_t number, uint32_t type, uint32_t loadCase, uint32_t variant,
                         uint32_t* out)
{
    if (number > kMaxResultNumber || type > kMaxResultType || loadCase > kMaxResultLoadCase ||
        variant > kResultVariantMask)
        return false;
    *out = (type << kResultTypeShift) | (number << kResultNumberShift) |
           (loadCase << kResultLoadCaseShift) | variant;
    return true;
}
