// What the renderer's list builders share: the names of a group's lists, the list being
// recorded (into a batch, or captured for an animation's frames instead of compiled), the
// generation that counts the deletions of the model lists, and the node positions of one
// rebuild.
#pragma once

#include "core/model/GroupSet.h"
#include "render/ListCompiler.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

class CDrawDevice;
class CEntitySet;
class CGLDevice;
class CListBatch;
class CNodePointCache;

class CSceneLists
{
public:
    // The lists of one name recorded instead of compiled, by list name.
    using CCapture = std::map<UINT, std::unique_ptr<CListBatch>>;

    // The names of a group's lists: codes stay below kGroupBlock, and groups beyond
    // kGroupBlocks share blocks (a view shows one group at a time).
    static constexpr UINT kGroupBlock = 0x400000;
    static constexpr UINT kGroupBlocks = 1024;

    CSceneLists();
    ~CSceneLists();
    CSceneLists(const CSceneLists&) = delete;
    CSceneLists& operator=(const CSceneLists&) = delete;

    // The name of the list of a code in a group's block of names.
    static UINT ListName(int groupId, UINT code);

    // A list being compiled, recorded into the batch or drawn directly. Its destructor ends a
    // list that a failing builder left open: OpenGL would otherwise compile every later command
    // of the frame into it. It throws nothing: a failure of its own is logged unless the
    // builder's exception, reported where it is caught, is on its way.
    class Scope
    {
    public:
        // streams: the batch draws its triangles into the list as it goes (see
        // CListBatch::StreamFacesTo); a capture records them all.
        Scope(CSceneLists& lists, CGLDevice& device, UINT name, bool isBatched, bool outlines,
              bool streams = false);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        void Close();

    private:
        CSceneLists& m_lists;
        CGLDevice& m_device;
        UINT m_name;
        int m_uncaught; // exceptions in flight as the scope began
        bool m_isOpen = true;
        bool m_isCaptureOnly = false;        // recorded for the animation though not batched
        CListCompiler* m_compiler = nullptr; // of m_job
        CListCompiler::Job* m_job = nullptr; // compiled on a worker
    };

    // While it lives, batched lists that do not stream are compiled on the compiler's workers
    // (null: here, as always), side by side; every list is compiled when it ends.
    class Compiling
    {
    public:
        Compiling(CSceneLists& lists, CListCompiler* compiler);
        // Waits for the lists without a word about a worker's failure: Finish reports it.
        ~Compiling();
        Compiling(const Compiling&) = delete;
        Compiling& operator=(const Compiling&) = delete;
        // Waits for the lists; a worker's exception is thrown again here.
        void Finish();

    private:
        CSceneLists& m_lists;
        CListCompiler* m_outer; // of a Compiling this one lies in, back when this one ends
        bool m_isFinished = false;
    };

    // A block of the list being recorded: compiled into it on its worker, or here.
    void CompileBlock(std::unique_ptr<CListBatch> block, CGLDevice& device);
    // True when the list of that name ended short of what its builder drew (the builder or its
    // worker failed, memory ran out): until it is compiled again.
    bool IsCut(UINT name) const;
    // The batch being recorded during a build, else the device.
    CDrawDevice* Target(CDrawDevice* device) const;
    // The batch being recorded, else null.
    CListBatch* Batch() const { return m_batch; }

    // While an animation's lists are recorded, every list goes into the capture, nothing is
    // compiled; a list drawn outside a batch refuses the capture.
    void BeginCapture(CCapture& capture);
    void EndCapture() { m_capture = nullptr; }
    bool IsCapturing() const { return m_capture != nullptr; }
    bool IsCaptureRefused() const { return m_isCaptureRefused; }
    void RefuseCapture() { m_isCaptureRefused = true; }

    UINT Generation() const { return m_generation; }
    void NextGeneration() { ++m_generation; }

    // The positions of the origin's nodes, computed once while they are held; isView says
    // that the origin is the view (whose element centres shrink follows).
    CNodePointCache& AcquirePoints(const CNodeMap& nodes, CEntitySet& origin, bool isView);
    // Frees the positions unless they are held.
    void ReleasePoints();
    void HoldPoints(bool isHeld) { m_arePointsHeld = isHeld; }
    // The view's positions while they are acquired, else null.
    const CNodePointCache* ViewPoints() const { return m_viewPoints; }

private:
    // Waits for the compiler's lists and notes those its workers ended short.
    void FinishCompiling(CListCompiler& compiler);
    void NoteCut(UINT name) noexcept;
    void ForgetCut(UINT name) noexcept;

    std::unique_ptr<CListBatch> m_recorder;
    CListBatch* m_batch = nullptr; // m_recorder while a batched list is recorded
    CCapture* m_capture = nullptr;
    CListCompiler* m_compiler = nullptr; // while Compiling
    CListCompiler::Job* m_job = nullptr; // of the list being recorded, when on a worker
    bool m_isCaptureRefused = false;
    std::vector<UINT> m_cutLists; // CListCompiler::kCutListRoom reserved
    UINT m_generation = 0;
    std::unique_ptr<CNodePointCache> m_points;
    CEntitySet* m_pointsSource = nullptr;
    const CNodePointCache* m_viewPoints = nullptr;
    bool m_arePointsHeld = false;
};
