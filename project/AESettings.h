// The settings of an open project: display filter, triad, colours and sizes per entity kind,
// fonts, lighting materials, default view angles, file folders, the solver files read into the
// project, the model source and the contour and vector defaults. Every construction reads the
// product INI ("..\ini\Gravik.ini"); the project file then overrides part of it.
#pragma once

#include "core/display/EntityKinds.h"
#include "core/display/GLMaterial.h"
#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/geometry/Point3D.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <cstdint>

// A font with the colour its text is drawn in.
struct CFontSetting
{
    COLORREF color = RGB(255, 0, 0);
    LOGFONT font = {};
};

class CAESettings
{
public:
    static constexpr int kMaxInputFiles = 30;

    // Index of m_entityColors and m_entitySizes.
    enum EntityKind
    {
        kSolid,
        kShell,
        kBeam,
        kMass,
        kElass,
        kGrid,
        kEntityKinds
    };
    // Index of m_fileIoFolders, in the order of the "FileIOPaths" keys.
    enum FileIoFolder
    {
        kFolderMpj,
        kFolderOp2,
        kFolderDat,
        kFolderImg,
        kFolderCsv,
        kFolderUnv,
        kFileIoFolders
    };
    // Index of m_materials.
    enum MaterialKind
    {
        kSolidMaterial,
        kShellMaterial,
        kMaterialKinds
    };
    // m_modelSource
    enum ModelSource : int16_t
    {
        kNoModel = 0,
        kBulkData = 1,
        kUniversalFile = 2
    };

    // Sets the constructed values, then reads the product INI.
    CAESettings();
    ~CAESettings();
    CAESettings(const CAESettings&) = delete;
    CAESettings& operator=(const CAESettings&) = delete;

    // Appends a solver file to the input-file list; false, with nothing changed, when the
    // list is full.
    bool AddInputFile(const CString& path);

    // Defaults of the whole settings: reads every INI key; ends with the two below.
    void LoadIniSettings();
    void LoadContourDefaults();
    void LoadVectorDefaults();

    BYTE m_showCentralTriad = 1;      // "ShowCentralTriad"; the project file's "CornorDisplay"
    int16_t m_triadPosition = 2;      // corner of the reference triad
    int16_t m_displayType = 0;        // display mode of new views (0 wireframe ... 4 hidden line)
    BYTE m_showReferenceTriad = 1;    // "RefferenceTriad"; the project file's "ModelOriginDisplay"
    DWORD m_displayFilter = kKindAll; // EntityKindBit: set bits are drawn
    CString m_fileIoFolders[kFileIoFolders];
    CString m_inputFiles[kMaxInputFiles];
    int16_t m_inputFileCount = 0;
    COLORREF m_backgroundColor = RGB(0, 0, 0);
    CFontSetting m_generalFont;
    CFontSetting m_elementLabelFont;
    CFontSetting m_nodeLabelFont;
    CGLMaterial m_materials[kMaterialKinds];
    COLORREF m_entityColors[kEntityKinds];
    int m_entitySizes[kEntityKinds];
    int m_sameOnBothSides = 1; // the shell material lights both faces alike
    CPoint3D m_viewAngles;     // degrees about X, Y and Z
    int16_t m_language = 1;    // 0 English, 1 any other
    int16_t m_rigidLineView = 0;
    int16_t m_modelSource = kNoModel;
    int m_curveDivisions = 4;
    BYTE m_propertyColorFlag = 0; // 1 once property colours were given to the elements
    CResultDisplayAttr m_contourDefaults;
    CVectorDisplayAttr m_vectorDefaults;

private:
    void LoadMaterials();
    void LoadDisplayAttributes();
    void LoadFolders();
    void LoadFonts();
    void LoadViewDefaults();
};

// Reads of the product INI shared by the start and the pages' Load Defaults; every number goes
// through its setting's range (project/SettingRanges.h). A missing key keeps the value given
// unless said otherwise.
// A colour stored as its decimal value.
COLORREF ReadIniColor(const char* section, const char* key, COLORREF missing);
// The font keys of section "DisplayAttribute" with the suffix ("", "ElementLabel",
// "NodeLabel"): missing sizes and italics read as 0 and a missing face name empties the name.
void ReadIniFont(const char* suffix, CFontSetting& setting);
// The contour defaults: smoothing 2 when "SmoothContour" is 2 and 0 for any other number; the
// reverse switch; the band count; a contour type other than 100..102 is left.
void ReadIniContourDefaults(CResultDisplayAttr& contour);
// The lighting materials and the both-sides switch.
void ReadIniMaterials(CGLMaterial (&materials)[CAESettings::kMaterialKinds], int& sameOnBothSides);
// The vector defaults: missing codes and reals read as 0, a missing band count as the
// constructed one.
void ReadIniVectorDefaults(CVectorDisplayAttr& vector);

// The face name of the fonts as constructed: "ＭＳ Ｐゴシック" in code page 932.
extern const char kDefaultFontFace[];

// Copies the face name into the font, cut to LF_FACESIZE - 1 characters.
void SetFontFaceName(LOGFONT& font, const char* faceName);
