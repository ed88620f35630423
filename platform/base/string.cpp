// CString operations. Scans step over code page 932 double-byte characters as units.
#include "platform/base/string.h"

#include "platform/base/format.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>

namespace
{
const char kWhitespace[] = " \t\n\r\v\f";

// Byte length of the character at pos: 2 for a lead byte followed by a trail byte.
size_t CharLength(const std::string& text, size_t pos)
{
    return fw::IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

size_t CharLength(const char* text)
{
    return fw::IsLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

// Whether the character of the given bytes is one of the characters of charSet.
bool IsInSet(const char* charSet, const char* ch, size_t length)
{
    for (const char* p = charSet; *p != '\0';)
    {
        const size_t setLength = CharLength(p);
        if (setLength == length && std::memcmp(p, ch, length) == 0)
            return true;
        p += setLength;
    }
    return false;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

char FoldLower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

int ClampLength(int value, int length)
{
    return std::clamp(value, 0, length);
}
} // namespace

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

char CString::GetAt(int index) const
{
    assert(index >= 0 && index < GetLength());
    return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    assert(index >= 0 && index < GetLength());
    m_text[static_cast<size_t>(index)] = ch;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    // Into a new string: the format or an argument may be this string's own text.
    std::string text;
    fw::AppendFormatted(text, format, args);
    m_text.swap(text);
}

void CString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::AppendFormatV(const char* format, va_list args)
{
    std::string text;
    fw::AppendFormatted(text, format, args);
    m_text += text;
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, static_cast<size_t>(ClampLength(count, GetLength()))));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const int start = ClampLength(first, GetLength());
    const int length = ClampLength(count, GetLength() - start);
    return CString(m_text.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

CString CString::Right(int count) const
{
    const int length = ClampLength(count, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - length)));
}

CString CString::SpanIncluding(const char* charSet) const
{
    size_t pos = 0;
    while (pos < m_text.size() && IsInSet(charSet, &m_text[pos], CharLength(m_text, pos)))
        pos += CharLength(m_text, pos);
    return CString(m_text.substr(0, pos));
}

CString CString::SpanExcluding(const char* charSet) const
{
    size_t pos = 0;
    while (pos < m_text.size() && !IsInSet(charSet, &m_text[pos], CharLength(m_text, pos)))
        pos += CharLength(m_text, pos);
    return CString(m_text.substr(0, pos));
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    if (start < 0 || start >= GetLength())
    {
        start = -1;
        return CString();
    }
    size_t pos = static_cast<size_t>(start);
    while (pos < m_text.size() && IsInSet(delimiters, &m_text[pos], CharLength(m_text, pos)))
        pos += CharLength(m_text, pos);
    if (pos >= m_text.size())
    {
        start = -1;
        return CString();
    }
    const size_t tokenStart = pos;
    while (pos < m_text.size() && !IsInSet(delimiters, &m_text[pos], CharLength(m_text, pos)))
        pos += CharLength(m_text, pos);
    const CString token(m_text.substr(tokenStart, pos - tokenStart));
    start = static_cast<int>(pos < m_text.size() ? pos + CharLength(m_text, pos) : pos);
    return token;
}

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    for (size_t pos = static_cast<size_t>(start); pos < m_text.size();
         pos += CharLength(m_text, pos))
    {
        if (m_text[pos] == ch)
            return static_cast<int>(pos);
    }
    return -1;
}

int CString::Find(const char* sub, int start) const
{
    if (start < 0)
        start = 0;
    if (!sub || start > GetLength())
        return -1;
    const size_t subLength = std::strlen(sub);
    for (size_t pos = static_cast<size_t>(start); pos + subLength <= m_text.size();
         pos += CharLength(m_text, pos))
    {
        if (m_text.compare(pos, subLength, sub) == 0)
            return static_cast<int>(pos);
        if (pos == m_text.size())
            break;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int found = -1;
    for (size_t pos = 0; pos < m_text.size(); pos += CharLength(m_text, pos))
    {
        if (m_text[pos] == ch)
            found = static_cast<int>(pos);
    }
    return found;
}

int CString::FindOneOf(const char* charSet) const
{
    for (size_t pos = 0; pos < m_text.size(); pos += CharLength(m_text, pos))
    {
        if (IsInSet(charSet, &m_text[pos], CharLength(m_text, pos)))
            return static_cast<int>(pos);
    }
    return -1;
}

int CString::Compare(const char* other) const
{
    return Sign(std::strcmp(m_text.c_str(), other ? other : ""));
}

int CString::CompareNoCase(const char* other) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
    // Both sides agree up to the current byte, so a lead byte here is a lead byte in both.
    while (true)
    {
        if (fw::IsLeadByte(*a) && *a == *b && a[1] != '\0')
        {
            if (a[1] != b[1])
                return Sign(a[1] - b[1]);
            a += 2;
            b += 2;
            continue;
        }
        const int ca = static_cast<unsigned char>(FoldLower(static_cast<char>(*a)));
        const int cb = static_cast<unsigned char>(FoldLower(static_cast<char>(*b)));
        if (ca != cb || ca == 0)
            return Sign(ca - cb);
        ++a;
        ++b;
    }
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhitespace);
}

CString& CString::TrimLeft(char target)
{
    const char targets[2] = {target, '\0'};
    return TrimLeft(targets);
}

CString& CString::TrimLeft(const char* targets)
{
    size_t pos = 0;
    while (pos < m_text.size() && IsInSet(targets, &m_text[pos], CharLength(m_text, pos)))
        pos += CharLength(m_text, pos);
    m_text.erase(0, pos);
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kWhitespace);
}

CString& CString::TrimRight(char target)
{
    const char targets[2] = {target, '\0'};
    return TrimRight(targets);
}

CString& CString::TrimRight(const char* targets)
{
    // Scan forward: going backward could split a double-byte character.
    size_t keep = 0;
    for (size_t pos = 0; pos < m_text.size();)
    {
        const size_t length = CharLength(m_text, pos);
        pos += length;
        if (!IsInSet(targets, &m_text[pos - length], length))
            keep = pos;
    }
    m_text.resize(keep);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char target)
{
    return TrimRight(target).TrimLeft(target);
}

CString& CString::Trim(const char* targets)
{
    return TrimRight(targets).TrimLeft(targets);
}

CString& CString::MakeUpper()
{
    for (size_t pos = 0; pos < m_text.size(); pos += CharLength(m_text, pos))
    {
        if (m_text[pos] >= 'a' && m_text[pos] <= 'z')
            m_text[pos] = static_cast<char>(m_text[pos] - 'a' + 'A');
    }
    return *this;
}

CString& CString::MakeLower()
{
    for (size_t pos = 0; pos < m_text.size(); pos += CharLength(m_text, pos))
        m_text[pos] = FoldLower(m_text[pos]);
    return *this;
}

CString& CString::MakeReverse()
{
    std::string reversed(m_text.size(), '\0');
    size_t out = m_text.size();
    for (size_t pos = 0; pos < m_text.size();)
    {
        const size_t length = CharLength(m_text, pos);
        out -= length;
        m_text.copy(&reversed[out], length, pos);
        pos += length;
    }
    m_text.swap(reversed);
    return *this;
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (size_t pos = 0; pos < m_text.size(); pos += CharLength(m_text, pos))
    {
        if (m_text[pos] == oldCh)
        {
            m_text[pos] = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || *oldText == '\0')
        return 0;
    const size_t oldLength = std::strlen(oldText);
    std::string result;
    int count = 0;
    for (size_t pos = 0; pos < m_text.size();)
    {
        if (m_text.compare(pos, oldLength, oldText) == 0)
        {
            result += newText ? newText : "";
            pos += oldLength;
            ++count;
        }
        else
        {
            const size_t length = CharLength(m_text, pos);
            result.append(m_text, pos, length);
            pos += length;
        }
    }
    if (count > 0)
        m_text.swap(result);
    return count;
}

int CString::Remove(char ch)
{
    std::string result;
    int count = 0;
    for (size_t pos = 0; pos < m_text.size();)
    {
        const size_t length = CharLength(m_text, pos);
        if (length == 1 && m_text[pos] == ch)
            ++count;
        else
            result.append(m_text, pos, length);
        pos += length;
    }
    m_text.swap(result);
    return count;
}

int CString::Insert(int index, char ch)
{
    m_text.insert(static_cast<size_t>(ClampLength(index, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    if (text)
        m_text.insert(static_cast<size_t>(ClampLength(index, GetLength())), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const int start = ClampLength(index, GetLength());
    const int length = ClampLength(count, GetLength() - start);
    m_text.erase(static_cast<size_t>(start), static_cast<size_t>(length));
    return GetLength();
}

void CString::Truncate(int length)
{
    if (length >= 0 && length < GetLength())
        m_text.resize(static_cast<size_t>(length));
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

char* CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<size_t>(std::max(length, 0)));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    // The std::string terminator bounds strlen even when the caller wrote no zero.
    const size_t length =
        newLength < 0 ? std::strlen(m_text.c_str()) : static_cast<size_t>(newLength);
    m_text.resize(std::min(length, m_text.size()));
}

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}
