// The toolkit through which the result readers fill the catalogue: find or create the result
// of a packed id (named from the string files), and store one value of one entity into it
// while keeping its range. Ids outside 0..kMaxEntityId and element-node slots outside the
// element's set are refused with a message to the model's sink.
#pragma once

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "platform/base/string.h"

#include <cstdint>

// The result of packedId, unchanged when it exists; otherwise a new one named
// "<result name> - <type name>" from standard.str, with the file it comes from (sourcePath,
// its block and the position of its subcase), filed in the model. Null for a negative id.
CResultData* GetOrCreateResult(int packedId, CModelSet* model, const CString& text, int kind,
                               int64_t filePosition, const CString& blockName,
                               const CString& sourcePath);

// Stores. Each does nothing for a negative packed id, creates the result when needed (kind
// 103, block "DEFAULT"), widens the range, ORs the flags shown into m_flags and sets m_mode to
// tag. Vectors also store their length as the scalar value.
void AddNodeScalarValue(int nodeId, int packedId, float value, CModelSet* model, int flags,
                        int tag); // flags | 0x2
void AddNodeVectorValue(int nodeId, int packedId, const CPoint3D& vector, CModelSet* model,
                        int flags, int tag); // flags | 0x3
void AddElementScalarValue(int elementId, int packedId, float value, CModelSet* model, int flags,
                           int tag); // flags
void AddElementVectorValue(int elementId, int packedId, const CPoint3D& vector, CModelSet* model,
                           int flags, int tag); // flags | 0x1
// slot is 0-based in the element's set of nodeCount entries (made on first use).
void AddElementNodeScalarValue(int elementId, int nodeId, int packedId, float value,
                               CModelSet* model, int slot, int nodeCount, int flags,
                               int tag); // flags | 0x4
void AddElementNodeVectorValue(int elementId, int nodeId, int packedId, const CPoint3D& vector,
                               CModelSet* model, int slot, int nodeCount, int flags,
                               int tag); // flags | 0x5

// The same stores into a result resolved once for many values (ResultForStores, which names
// no source file for a result it creates), so that a value costs no look-up of its result. A
// null result stores nothing.
CResultData* ResultForStores(int packedId, CModelSet* model);
// Sizes a result's tables for the model's ids ahead of a record's stores, so that the values of
// a model with dense ids go in without the tables growing (null does nothing).
void ReserveNodeStores(CResultData* result, const CModelSet* model, bool withVectors);
void ReserveElementStores(CResultData* result, const CModelSet* model, bool withVectors);
void StoreNodeScalarValue(CResultData* result, int nodeId, float value, CModelSet* model, int flags,
                          int tag);
void StoreNodeVectorValue(CResultData* result, int nodeId, const CPoint3D& vector, CModelSet* model,
                          int flags, int tag);
void StoreElementScalarValue(CResultData* result, int elementId, float value, CModelSet* model,
                             int flags, int tag);
void StoreElementVectorValue(CResultData* result, int elementId, const CPoint3D& vector,
                             CModelSet* model, int flags, int tag);
void StoreElementNodeScalarValue(CResultData* result, int elementId, int nodeId, float value,
                                 CModelSet* model, int slot, int nodeCount, int flags, int tag);
void StoreElementNodeVectorValue(CResultData* result, int elementId, int nodeId,
                                 const CPoint3D& vector, CModelSet* model, int slot, int nodeCount,
                                 int flags, int tag);

// *out = packedId; -1 when group is given and holds no result under packedId (the data pass
// skips results it was not asked for).
void ResolveGroupResultId(int* out, int packedId, const CResultMap* group);
