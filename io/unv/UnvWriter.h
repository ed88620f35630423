// Universal-file writer: the model's mesh as node datasets 15 and 2411 and element datasets 780
// and 2412, with node positions taken from a point source (the model, or a view that adds its
// deformation).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CEntitySet;
class CFEElement;
class CModelSet;

class CUnvWriter
{
public:
    // Both borrowed; a null point source takes the positions from the model.
    CUnvWriter(CModelSet* model, CEntitySet* pointSource);
    virtual ~CUnvWriter();
    CUnvWriter(const CUnvWriter&) = delete;
    CUnvWriter& operator=(const CUnvWriter&) = delete;

    // Writes the datasets of the model's universal-file mask (15 and 780 when it has none, and
    // the mask becomes 5). False when the file could not be created or a write failed.
    bool WriteUnv(const std::string& path);

    const std::vector<std::string>& GetErrors() const { return m_errors; }
    const std::vector<std::string>& GetErrorKeys() const { return m_errorKeys; }

    bool WriteNodes15();
    bool WriteNodes2411();
    bool WriteElements780();
    bool WriteElements2412();

    // printf's "%W.PE" with a two-digit exponent on every runtime ("1.00000E+02", never
    // "1.00000E+002"); three digits only where the value needs them.
    static std::string FormatExponent(double value, int width, int precision);

private:
    bool WriteNodes(int dataset);
    bool WriteElements(int dataset);
    void FormatElement(const CFEElement& element, int dataset);
    bool WriteText(const char* text);
    bool WriteBuffer();
    void AddError(const char* key);

    CModelSet* m_model; // borrowed
    std::FILE* m_file;  // owned
    bool m_hasWriteFailed;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_errorKeys;
    std::string m_lineBuffer;
    CEntitySet* m_pointSource; // borrowed
};
