// Windows scalar types, colour helpers, the font description and the collection position
// handle, for both builds.
// The Windows build takes them from <windows.h>; the native build defines the same sizes
// (LONG and DWORD are 32 bits everywhere, as on Win64).
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int BOOL;
typedef int INT;
typedef float FLOAT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef char CHAR;
typedef char TCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD COLORREF;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define LOBYTE(w)          ((BYTE)((DWORD_PTR)(w)&0xFF))
#define HIBYTE(w)          ((BYTE)(((DWORD_PTR)(w) >> 8) & 0xFF))
#define LOWORD(l)          ((WORD)((DWORD_PTR)(l)&0xFFFF))
#define HIWORD(l)          ((WORD)(((DWORD_PTR)(l) >> 16) & 0xFFFF))
#define MAKEWORD(lo, hi)   ((WORD)(LOBYTE(lo) | (LOBYTE(hi) << 8)))
#define MAKELONG(lo, hi)   ((LONG)(LOWORD(lo) | ((DWORD)LOWORD(hi) << 16)))

// Red in the low byte, then green, then blue.
#define RGB(r, g, b)       ((COLORREF)((BYTE)(r) | ((DWORD)(BYTE)(g) << 8) | ((DWORD)(BYTE)(b) << 16)))
#define GetRValue(rgb)     ((BYTE)((rgb)&0xFF))
#define GetGValue(rgb)     ((BYTE)(((rgb) >> 8) & 0xFF))
#define GetBValue(rgb)     ((BYTE)(((rgb) >> 16) & 0xFF))

// The font description the project keeps and the views hand to font creation.
#define LF_FACESIZE        32
#define FW_NORMAL          400
#define DEFAULT_CHARSET    1
#define OUT_OUTLINE_PRECIS 8
#define CLIP_STROKE_PRECIS 2

typedef struct tagLOGFONTA
{
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA;
typedef LOGFONTA LOGFONT;
#endif

// Opaque iteration handle of the lists and maps; never dereferenced by callers.
namespace fw
{
struct PositionTag;
}
typedef fw::PositionTag* POSITION;

static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4, "LONG and DWORD are 32-bit");
static_assert(sizeof(INT_PTR) == sizeof(void*), "INT_PTR holds a pointer");
