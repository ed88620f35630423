// The result display of a 3-D view: showing a result as contour or vectors, in this view or
// in a new one (ResultDisplay.cpp); the value range and the colour bands in effect
// (ResultDisplay_range.cpp); the colour legend and the result title (ResultDisplay_title.cpp).
// The 3-D view derives from it and answers the questions at the end, which reach the view's
// window, the project's settings and the main frame.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/geometry/Point3D.h"
#include "platform/base/string.h"
#include "platform/base/types.h"
#include "view/ResultRange.h"

#include <windows.h>

class CAESet;
class CDC;
class CModelSet;
class CResultData;
class CSceneView;

class CResultDisplay
{
public:
    // Result kinds passed as the component (the element-block bit aside).
    static constexpr int kElementBlock = 8;
    // Animation modes of the renderer.
    enum AnimationMode
    {
        kAnimationNotChosen = 0,
        kAnimationSteps = 1,
        kAnimationFrames = 2
    };

    CResultDisplay() = default;
    virtual ~CResultDisplay();
    CResultDisplay(const CResultDisplay&) = delete;
    CResultDisplay& operator=(const CResultDisplay&) = delete;

    // Shows the load case resultId as a contour (components 1 to 4) or as vectors (0), each
    // with or without the element block 8, in this view or in a new one with its camera and
    // element filter.
    void DisplayResultView(int resultId, int component, int category, BOOL inNewView);
    // Shows resultId as the target's contour and rebuilds its lists.
    void DisplayContourView(int resultId, CResultDisplay* target, BOOL rebuildAll);
    // Files the vector settings of resultId in this view and shows its vectors.
    void GetResultDisplayAttr(int resultId, const CVectorDisplayAttr* attr, int category);
    // The Display Result command: the contour shown, again in a new view.
    void OnDisplayResult();
    // The model commands need an open project with a model.
    BOOL CanUseModelCommands();

    // The colour bands in effect, and storing them (-1 and nothing changed when no result is
    // shown).
    CResultDisplayAttr GetDisplayAttr();
    int CopyDisplayAttr(CResultDisplayAttr attr);
    // attr with the range and the bands of the result; a result the catalogue lacks gives a
    // default record. flag 0 resets attr to flat bands first.
    CResultDisplayAttr PrepareResultRange(int resultId, CResultDisplayAttr attr, int flag);
    // The range of the shown result over the elements shown (or as stored, bStored 1) into
    // m_dVisibleMin and m_dVisibleMax.
    void ComputeVisibleRange(BOOL bStored);
    void GetResultRange(CResultData* result, int kind, int location, double& minimum,
                        double& maximum);
    CPoint3D GetResultMinPoint(CResultData* result, int location);
    CPoint3D GetResultMaxPoint(CResultData* result, int location);
    void SetResultMinPoint(CResultData* result, CPoint3D point, int location);
    void SetResultMaxPoint(CResultData* result, CPoint3D point, int location);
    // Steps for results whose cases are steps, frames otherwise; chosen once per view.
    void ChooseAnimationMode(CResultData* result);
    void SetBandDefaults(CResultDisplayAttr& attr);
    void SetVectorDefaults(CVectorDisplayAttr& attr);

    // Composes the title lines and their text lists.
    void BuildResultTitle();
    // The overlays of a paint: the legend in the left fifth, the title in the bottom fifth.
    void DrawLegend();
    void DrawGLText(CDC* dc);

    // The title lines BuildResultTitle composed, and the legend's text (stays empty).
    const CString& ResultTitle() const { return m_strResultTitle; }
    const CString& ResultSubTitle() const { return m_strResultSubTitle; }
    const CString& LegendText() const { return m_strLegendText; }
    // The display lists of those texts; -1 for none. Printing makes its own and puts these back.
    struct TextLists
    {
        int legend = -1;
        int title1 = -1;
        int title2 = -1;
    };
    const TextLists& GetTextLists() const { return m_textLists; }
    void SetTextLists(const TextLists& lists) { m_textLists = lists; }
    // The range ComputeVisibleRange found.
    double VisibleMin() const { return m_dVisibleMin; }
    double VisibleMax() const { return m_dVisibleMax; }

protected:
    // DisplayResultView for a frame of an animation, in this view: it keeps the range the
    // animation started with. The caller says so, since a stop may come before the last frame.
    void DisplayAnimationFrame(int resultId, int component, int category);

    // What the result display asks of the view it is part of.
    virtual CSceneView& ResultScene() = 0;
    virtual CAESet& ResultRenderer() = 0;
    // The project's contour and vector defaults, general font and its colour, and first path;
    // false or null without a project.
    virtual const CResultDisplayAttr* ContourDefaults() = 0;
    virtual const CVectorDisplayAttr* VectorDefaults() = 0;
    virtual bool GetGeneralFont(LOGFONT& font, COLORREF& color) = 0;
    virtual CString GetProjectTitle() = 0;
    virtual int GetElementFilterMode() = 0; // 2: by group
    // An animation is playing: a case shown meanwhile keeps the range in effect.
    virtual bool IsAnimating() = 0;
    virtual int GetFrameKey() = 0;
    virtual UINT GetTextFontBase() = 0;
    // A new view of the project, the active one now; null when none could be made.
    virtual CResultDisplay* OpenResultView(const CString& caption) = 0;
    // Copies the element filter maps and mode into the target.
    virtual void CopyElementFilterTo(CResultDisplay& target) = 0;
    // Takes nodes out of the project's display filter and refreshes the project tree.
    virtual void HideNodes() = 0;
    virtual void SelectLoadCaseCombo(int resultId) = 0;
    virtual void SetDocumentTitle(const CString& title) = 0;
    // Activates the view's frame and paints the view now.
    virtual void ActivateAndUpdate() = 0;
    virtual void InvalidateView() = 0;
    virtual void ShowStatusText(const char* key) = 0;
    // Another result or case than before is shown here, with its own range (not an animation's
    // frame): what was set up for the one before can follow. Nothing by default.
    virtual void OnShownResultChanged() {}

private:
    CModelSet* Model();
    CResultData* FindResult(int resultId);
    void ShowResult(int resultId, int component, int category, BOOL inNewView,
                    bool isAnimationFrame);
    void CopyCameraTo(CResultDisplay& target);
    // The bands a result gets: prepared afresh for a new view and for another case shown in
    // this view (unless it is a frame of an animation), else the bands in effect.
    CResultDisplayAttr BandsForDisplay(CResultDisplay& target, int resultId, BOOL inNewView,
                                       bool isNewCase, bool isAnimationFrame);
    void ShowVectors(CResultDisplay& target, int resultId, int category,
                     const CResultDisplayAttr& bands);
    // The range of the result's shown component: over the elements shown when an element
    // filter hides some, else as stored.
    CValueRange ShownRange(CResultData& result);
    void DeleteTextLists();

    CString m_strLegendText;
    CString m_strResultTitle;
    CString m_strResultSubTitle;
    TextLists m_textLists;
    double m_dVisibleMin = 0.0;
    double m_dVisibleMax = 0.0;
};
