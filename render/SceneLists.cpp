// The renderer's list names, the list being recorded and the positions of one rebuild.
#include "render/SceneLists.h"

#include "render/GLDevice.h"
#include "render/ListBatch.h"
#include "render/NodePointCache.h"
#include "render/RenderLog.h"

#include <algorithm>
#include <exception>

CSceneLists::CSceneLists()
    : m_recorder(std::make_unique<CListBatch>())
{
    m_cutLists.reserve(CListCompiler::kCutListRoom);
}

CSceneLists::~CSceneLists() = default;

UINT CSceneLists::ListName(int groupId, UINT code)
{
    // Each group has its own block of names above the codes; OR-ing the id in would make, for
    // group 1, its node list (0x10000 | 1) the solid face list (0x10001).
    return code + (static_cast<UINT>(groupId) % kGroupBlocks) * kGroupBlock;
}

CSceneLists::Scope::Scope(CSceneLists& lists, CGLDevice& device, UINT name, bool isBatched,
                          bool outlines, bool streams)
    : m_lists(lists)
    , m_device(device)
    , m_name(name)
    , m_uncaught(std::uncaught_exceptions())
{
    if (lists.m_capture != nullptr)
    {
        // Recorded for the animation's frames, batched or not.
        m_isCaptureOnly = !isBatched;
        lists.m_recorder->Reset(outlines);
        lists.m_batch = lists.m_recorder.get();
        return;
    }
    if (lists.m_compiler != nullptr && isBatched && !streams)
    {
        lists.ForgetCut(name);
        m_compiler = lists.m_compiler;
        m_job = m_compiler->Open(name, device);
        lists.m_job = m_job;
        lists.m_recorder->Reset(outlines);
        lists.m_batch = lists.m_recorder.get();
        return;
    }
    // A list compiled here replaces one of its name only once the worker is done with it.
    if (lists.m_compiler != nullptr && lists.m_compiler->IsCompiling(name))
        lists.FinishCompiling(*lists.m_compiler);
    lists.ForgetCut(name);
    device.DeleteList(name);
    device.BeginList(name);
    if (isBatched)
    {
        lists.m_recorder->Reset(outlines);
        if (streams)
            lists.m_recorder->StreamFacesTo(&device);
        lists.m_batch = lists.m_recorder.get();
    }
}

CSceneLists::Scope::~Scope()
{
    if (!m_isOpen)
        return;
    // The builder failed: its list holds only what was drawn before.
    if (std::uncaught_exceptions() > m_uncaught && m_lists.m_capture == nullptr)
        m_lists.NoteCut(m_name);
    try
    {
        Close();
    }
    catch (...)
    {
        // While the builder's own exception unwinds, its guard reports that one; this failure
        // is one more symptom of it.
        if (std::uncaught_exceptions() <= m_uncaught)
            render_log::WriteException("CSceneLists::Scope");
    }
}

void CSceneLists::Scope::Close()
{
    m_isOpen = false;
    CListBatch* batch = m_lists.m_batch;
    m_lists.m_batch = nullptr;
    // The node positions of edges recorded by id are those of this build: they are resolved
    // here, on a worker's list a piece at a time while the worker compiles the one before.
    if (m_job != nullptr)
    {
        m_lists.m_job = nullptr;
        try
        {
            batch->HandOverInPieces([this](std::unique_ptr<CListBatch> piece)
                                    { m_compiler->Add(m_job, std::move(piece), m_device); });
        }
        catch (...)
        {
            m_lists.NoteCut(m_name);
            m_compiler->Close(m_job);
            throw;
        }
        m_compiler->Close(m_job);
        return;
    }
    if (m_lists.m_capture != nullptr)
    {
        if (batch != nullptr)
            batch->ResolveNodeEdges();
        // A list drawn outside a batch cannot be drawn from arrays: it is kept only when empty.
        if (m_isCaptureOnly && !batch->IsEmpty())
            m_lists.m_isCaptureRefused = true;
        (*m_lists.m_capture)[m_name] = std::move(m_lists.m_recorder);
        m_lists.m_recorder = std::make_unique<CListBatch>();
        return;
    }
    try
    {
        // The replay resolves the edges recorded by node ids.
        if (batch != nullptr)
            batch->ReplayAndReset(&m_device);
    }
    catch (...)
    {
        // Ended all the same: OpenGL would compile the rest of the frame into it.
        m_lists.NoteCut(m_name);
        m_device.EndList();
        throw;
    }
    m_device.EndList();
}

CSceneLists::Compiling::Compiling(CSceneLists& lists, CListCompiler* compiler)
    : m_lists(lists)
    , m_outer(lists.m_compiler)
{
    lists.m_compiler = compiler;
}

CSceneLists::Compiling::~Compiling()
{
    try
    {
        Finish();
    }
    catch (...)
    {
        // Reported by the Finish the builder calls; here the builder failed already.
    }
}

void CSceneLists::Compiling::Finish()
{
    if (m_isFinished)
        return;
    m_isFinished = true;
    CListCompiler* const compiler = m_lists.m_compiler;
    m_lists.m_compiler = m_outer;
    if (compiler != nullptr)
        m_lists.FinishCompiling(*compiler);
}

void CSceneLists::FinishCompiling(CListCompiler& compiler)
{
    const auto noteCut = [this, &compiler]
    {
        UINT name = 0;
        while (compiler.TakeCutList(name))
            NoteCut(name);
    };
    try
    {
        compiler.Finish();
    }
    catch (...)
    {
        noteCut();
        throw;
    }
    noteCut();
}

bool CSceneLists::IsCut(UINT name) const
{
    return std::find(m_cutLists.begin(), m_cutLists.end(), name) != m_cutLists.end();
}

void CSceneLists::NoteCut(UINT name) noexcept
{
    // Within the room reserved: a note while memory runs out must not need more.
    if (!IsCut(name) && m_cutLists.size() < m_cutLists.capacity())
        m_cutLists.push_back(name);
}

void CSceneLists::ForgetCut(UINT name) noexcept
{
    m_cutLists.erase(std::remove(m_cutLists.begin(), m_cutLists.end(), name), m_cutLists.end());
}

void CSceneLists::CompileBlock(std::unique_ptr<CListBatch> block, CGLDevice& device)
{
    if (m_job != nullptr)
        m_compiler->Add(m_job, std::move(block), device);
    else
        block->ReplayAndReset(&device);
}

CDrawDevice* CSceneLists::Target(CDrawDevice* device) const
{
    return m_batch != nullptr ? m_batch : device;
}

void CSceneLists::BeginCapture(CCapture& capture)
{
    m_capture = &capture;
    m_isCaptureRefused = false;
}

CNodePointCache& CSceneLists::AcquirePoints(const CNodeMap& nodes, CEntitySet& origin, bool isView)
{
    if (!m_points)
        m_points = std::make_unique<CNodePointCache>();
    if (m_pointsSource != &origin)
    {
        m_points->Build(nodes, origin);
        m_pointsSource = &origin;
    }
    // Element centres (shrink) follow the view's positions also in the undeformed lists.
    m_viewPoints = isView ? m_points.get() : nullptr;
    return *m_points;
}

void CSceneLists::ReleasePoints()
{
    if (m_arePointsHeld)
        return;
    m_points.reset();
    m_pointsSource = nullptr;
    m_viewPoints = nullptr;
}
