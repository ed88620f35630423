// The view's contour and vector settings commands (codes 505 and 506): each hosts its modeless
// dialog, seeded from the view, and hands the dialog's OK on to the command that applies the
// settings (606, 607). The dialogs live with the dialogs layer, which installs them; until then
// (and in view tests that do not script them) the commands open nothing.
#pragma once

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "platform/base/coll_map.h"
#include "view/CmdColl.h"

#include <cstdint>
#include <memory>

class CCAEView;
struct CCmdRecord;

// Vector settings by the packed id of a result's load case 1.
using CVectorSettingMap = CMap<int32_t, int32_t, CVectorDisplayAttr, const CVectorDisplayAttr&>;

// Every entry of from into to, replacing entries of the same id.
void CopyVectorSettings(const CVectorSettingMap& from, CVectorSettingMap& to);

// The modeless dialog of a settings command. Its window goes with the object, once the
// message in hand has returned: the command ends inside the dialog's own handler.
class CSettingWindow
{
public:
    virtual ~CSettingWindow() = default;
};

class CContourSettingWindow : public CSettingWindow
{
public:
    // Creates the window for the view's bands and shows it; false when none could be made.
    // OK hands a CContourSettingRecord (700) with the result id, Close code 701.
    virtual bool Open(const CResultDisplayAttr& viewAttr, int32_t resultId, int frameKey) = 0;
    // The open window shows the bands of another result, edits made so far dropped.
    virtual void Refresh(const CResultDisplayAttr& viewAttr, int32_t resultId) = 0;
};

class CVectorSettingWindow : public CSettingWindow
{
public:
    // Creates the window on the stored settings, editing those of resultId, and shows it;
    // false when none could be made. OK hands a CVectorSettingRecord (700) with every stored
    // entry, Cancel code 701.
    virtual bool Open(const CVectorSettingMap& stored, int32_t resultId, int frameKey) = 0;
};

class CResultSettingTools
{
public:
    virtual ~CResultSettingTools() = default;

    virtual std::unique_ptr<CContourSettingWindow> CreateContourSettingWindow() = 0;
    virtual std::unique_ptr<CVectorSettingWindow> CreateVectorSettingWindow() = 0;
};

// The tools in use, or null.
CResultSettingTools* GetResultSettingTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CResultSettingTools* InstallResultSettingTools(CResultSettingTools* tools);

// Code 505: the per-view contour settings.
class CCmdCollContourSetting : public CCmdColl
{
public:
    explicit CCmdCollContourSetting(int frameKey);
    // Seeded from the view: the bands in effect unless an animation plays, and the view's
    // contour result. Without a view the command starts unseeded.
    static CCmdColl* Make(const CCmdRecord& record, int frameKey, CCAEView* view);

    void Start(CCmdRecord* record) override;
    // The record is the dialog's CContourSettingRecord; code 606 replaces this command.
    void OnDialogOk(CCmdRecord* record) override;
    void OnDialogCancel(CCmdRecord* record) override;
    // The dialog follows the view's new result, seeded again; with no contour left to follow,
    // the command ends as Close ends it.
    void OnShownResultChanged(int frameKey, CCAEView& view) override;

    CResultDisplayAttr m_Attr;
    int32_t m_nResultId = 0;
    int m_nFrameKey;

private:
    void SeedFrom(CCAEView& view);

    std::unique_ptr<CContourSettingWindow> m_dialog;
};

// Code 506: the per-view vector settings.
class CCmdCollVectorSetting : public CCmdColl
{
public:
    explicit CCmdCollVectorSetting(int frameKey);
    // Seeded from the view unless an animation plays: every vector result's settings, and the
    // result to edit, the one the view shows when it has settings.
    static CCmdColl* Make(const CCmdRecord& record, int frameKey, CCAEView* view);

    void Start(CCmdRecord* record) override;
    // The record is the dialog's CVectorSettingRecord; code 607 replaces this command.
    void OnDialogOk(CCmdRecord* record) override;
    void OnDialogCancel(CCmdRecord* record) override;

    CVectorSettingMap m_Settings;
    int32_t m_nResultId = -1;
    int m_nFrameKey;

private:
    std::unique_ptr<CVectorSettingWindow> m_dialog;
};
