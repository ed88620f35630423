// Data pass: loads the requested results of one file, subcase by subcase in file order, then
// gives results whose load cases share one range that common range.
#include "core/model/ModelSet.h"
#include "core/services/LogFile.h"
#include "io/op2/NSResultBlockReader.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2File.h"
#include "platform/base/exception.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace
{
constexpr int kSharedRange = 0x18;

// Requested results of one file by (subcase position, block name): ascending positions let
// the pass move forward through the file.
using ResultGroups = std::map<std::pair<int64_t, std::string>, std::unique_ptr<CResultMap>>;

ResultGroups GroupRequestedResults(const CModelSet& model, const std::string& path)
{
    ResultGroups groups;
    const CResultMap& results = model.GetResults();
    for (const auto& [id, result] : fw::Assocs(results))
    {
        if (result == nullptr || result->m_loaded != CResultData::kRequested ||
            std::string(result->m_sourcePath.GetString()) != path)
            continue;
        const auto key =
            std::make_pair(result->m_filePosition, std::string(result->m_blockName.GetString()));
        std::unique_ptr<CResultMap>& group = groups[key];
        if (!group)
            group = std::make_unique<CResultMap>();
        group->SetAt(id, result);
    }
    return groups;
}

void MarkLoaded(const CResultMap& group)
{
    for (const auto& [id, result] : fw::Assocs(group))
    {
        const bool isShared = (result->m_flags & kSharedRange) == kSharedRange;
        result->m_loaded = isShared ? CResultData::kAwaitingRange : CResultData::kLoaded;
        result->ResetRange();
    }
}

// The loaded results of one result key and variant whose load cases share one range.
std::vector<CResultData*> SharedRangeResults(const CModelSet& model, UINT key, int count,
                                             UINT variant)
{
    std::vector<CResultData*> found;
    for (int index = 1; index < count; ++index)
    {
        const UINT id = key | (static_cast<UINT>(index) << kResultLoadCaseShift) | variant;
        CResultData* result = model.GetResult(id);
        if (result == nullptr)
            break;
        const bool isLoaded = result->m_loaded == CResultData::kLoaded ||
                              result->m_loaded == CResultData::kAwaitingRange;
        if ((result->m_flags & kSharedRange) == kSharedRange && isLoaded)
            found.push_back(result);
    }
    return found;
}

void ApplyCommonRange(const std::vector<CResultData*>& results)
{
    if (results.empty())
        return;
    double low = kRangeUnsetMin;
    double high = kRangeUnsetMax;
    CPoint3D lowVector(kRangeUnsetMin, kRangeUnsetMin, kRangeUnsetMin);
    CPoint3D highVector(kRangeUnsetMax, kRangeUnsetMax, kRangeUnsetMax);
    for (const CResultData* r : results)
    {
        r->SettleNodeMeans(); // an earlier load's means widened its range
        low = std::min(low, r->m_min);
        high = std::max(high, r->m_max);
        lowVector = CPoint3D(std::min(lowVector.x, r->m_minVector.x),
                             std::min(lowVector.y, r->m_minVector.y),
                             std::min(lowVector.z, r->m_minVector.z));
        highVector = CPoint3D(std::max(highVector.x, r->m_maxVector.x),
                              std::max(highVector.y, r->m_maxVector.y),
                              std::max(highVector.z, r->m_maxVector.z));
    }
    for (CResultData* r : results)
    {
        r->m_min = low;
        r->m_max = high;
        r->m_minVector = lowVector;
        r->m_maxVector = highVector;
        r->m_loaded = CResultData::kLoaded;
    }
}

void ApplyCommonRanges(const CModelSet& model)
{
    const auto& counts = model.GetLoadCaseCounts();
    for (const auto& [key, count] : fw::Assocs(counts))
    {
        for (UINT variant : {0u, 1u})
            ApplyCommonRange(SharedRangeResults(model, key, count, variant));
    }
}
} // namespace

int OP2Reader::readResults(const std::string& path, CModelSet* model)
{
    CAELogFile log("FileRead");
    try
    {
        m_path = path;
        COp2File named;
        const auto catalogued = m_cataloguedFiles.find(path);
        COp2File* file = catalogued != m_cataloguedFiles.end() ? catalogued->second.get() : &named;
        if (file == &named && !named.Open(path))
            return -1;
        if (file->HasChanged())
            return kFileChanged;
        const ResultGroups groups = GroupRequestedResults(*model, path);
        for (const auto& [key, group] : groups)
        {
            NSBlockReader* reader = FindBlockReader(key.second);
            if (reader == nullptr || reader->GetKind() != NSBlockReader::kResultKind ||
                !file->Seek(key.first))
                continue;
            auto* resultReader = static_cast<NSResultBlockReader*>(reader);
            if (resultReader->readData(file, model, group.get()) >= 0)
                MarkLoaded(*group);
        }
        ApplyCommonRanges(*model);
    }
    catch (CException* e)
    {
        e->Delete();
        log.WriteLog(0, "OP2 readResults", "Exception");
    }
    catch (...)
    {
        log.WriteLog(0, "OP2 readResults", "Exception");
    }
    return 0;
}
