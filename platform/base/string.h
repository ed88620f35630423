// CString: a growable char string in the ANSI code page. Text is bytes; double-byte
// characters of code page 932 (lead bytes 0x81-0x9F and 0xE0-0xFC) are kept whole by the
// searching, trimming and case operations, so a trail byte such as 0x5C ('\\') or 0x61 ('a')
// inside a Japanese character is never taken for an ASCII character. Both builds behave alike.
#pragma once

#include "platform/base/types.h"

#include <cstdarg>
#include <string>
#include <type_traits>

#ifdef _WIN32
#define FW_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define FW_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

namespace fw
{
// True for a lead byte of a code page 932 double-byte character.
inline bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
} // namespace fw

class CString
{
public:
    CString() = default;
    CString(const char* text)
        : m_text(text ? text : "")
    {
    }
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(const std::string& text)
        : m_text(text)
    {
    }

    // Size and access. Positions and lengths are byte counts.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    template <typename Index, typename = std::enable_if_t<std::is_integral_v<Index>>>
    char operator[](Index index) const
    {
        return GetAt(static_cast<int>(index));
    }
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }

    // Formatting with printf rules. A CString is never passed through "..." (the build
    // rejects it): pass GetString() for "%s".
    void Format(const char* format, ...) FW_PRINTF_FORMAT(2, 3);
    void FormatV(const char* format, va_list args);
    void AppendFormat(const char* format, ...) FW_PRINTF_FORMAT(2, 3);
    void AppendFormatV(const char* format, va_list args);

    // Pieces. Out-of-range counts and positions are clamped, as callers rely on.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* charSet) const;
    CString SpanExcluding(const char* charSet) const;
    // Next token after start, skipping leading delimiters; start becomes -1 at the end.
    CString Tokenize(const char* delimiters, int& start) const;

    // Searching; -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // Comparison: byte order; the NoCase forms fold ASCII letters only.
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    // Editing. Replace and Remove return the number of replacements or removals,
    // Insert and Delete the new length.
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(const char* targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(const char* targets);
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(const char* targets);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);
    void Truncate(int length);

    // Direct buffer access: write at most minLength bytes plus the terminator, then call
    // ReleaseBuffer (length -1: up to the first zero byte).
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const char* text);
    CString& operator=(char ch);
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);
// Without these, text + 1 would compile as pointer arithmetic on the converted text.
CString operator+(const CString& a, int b) = delete;
CString operator+(int a, const CString& b) = delete;

inline bool operator==(const CString& a, const CString& b)
{
    return a.Str() == b.Str();
}
inline bool operator==(const CString& a, const char* b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const CString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}
inline bool operator!=(const CString& a, const char* b)
{
    return !(a == b);
}
inline bool operator!=(const char* a, const CString& b)
{
    return !(a == b);
}
inline bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, const char* b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(const char* a, const CString& b)
{
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, const char* b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(const char* a, const CString& b)
{
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, const char* b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(const char* a, const CString& b)
{
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, const char* b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(const char* a, const CString& b)
{
    return b.Compare(a) <= 0;
}
