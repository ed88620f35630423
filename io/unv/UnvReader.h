// Universal-file reader: walks the file's datasets, reads nodes (2411, 15), elements (2412, 780)
// and results (2414, 55, 56) into a model, skips every other dataset and gathers error texts.
#pragma once

#include "io/unv/UnvLineFile.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CModelSet;
class CResultData;
class CFEElement;
class CPoint3D;

class CUnvReader
{
public:
    explicit CUnvReader(CModelSet* model); // borrowed
    virtual ~CUnvReader();
    CUnvReader(const CUnvReader&) = delete;
    CUnvReader& operator=(const CUnvReader&) = delete;

    // True when the whole file was read and it held a node and an element dataset. Ids read
    // are shifted by the model's largest ids at the start, so RemoveAll(1) undoes a failed read.
    bool ReadUnv(const std::string& path);

    // Error texts of this read, in the order they arose; GetErrorKeys gives the message keys.
    const std::vector<std::string>& GetErrors() const { return m_errors; }
    const std::vector<std::string>& GetErrorKeys() const { return m_errorKeys; }

    // Dataset readers: called with m_line at the header line, they leave it at the dataset's
    // closing "-1" line.
    bool ReadNodes2411();
    bool ReadNodes15();
    bool ReadElements2412();
    bool ReadElements780();
    bool ReadResults2414();
    bool ReadResults55And56(int location);
    bool CheckMandatoryDatasets();

    // Principal stresses of a symmetric tensor given in file order (xx, xy, yy, xz, yz, zz):
    // eigenvectors as the columns of a row-major 3x3 matrix, eigenvalues in solver order.
    static void SolvePrincipalStresses(const double tensor[6], double vectors[9], double values[3]);
    // Where the sorted values (smallest, middle, largest) stand among the solver's values.
    static void MatchPrincipalOrder(const double sorted[3], const double values[3], int* maxPos,
                                    int* midPos, int* minPos);

    // Analysis kind of the catalogue: 1 static gives 8, 4 and 9 give 24, anything else 16.
    static int MapAnalysisType(int analysisType);

private:
    struct ElementHeader;
    struct PrincipalResults;

    // Dispatch.
    bool ReadLine();
    int MatchHeader() const;
    bool ReadDataset(int dataset);
    // A result dataset, and one line for the values in it that were no numbers.
    void ReadResultDataset(int dataset);

    // Errors: the key's text from the message file (the key itself when missing), with the
    // line number where it arose.
    bool Guarded(const char* key, const std::function<bool()>& body);
    const std::string& ErrorText(const char* key);
    void AddError(const char* key);
    void AddError(const char* key, const std::string& text, bool withLine = true);

    // Nodes and elements.
    bool ReadNodeRecords(bool (CUnvReader::*readRecord)(bool*));
    bool ReadNodeRecord2411(bool* isEnd);
    bool ReadNodeRecord15(bool* isEnd);
    bool ReadElements(int datasetBit, int headerInts, const char* formatKey);
    bool ReadElementRecords(int headerInts, const char* formatKey);
    bool ReadElementRecord(const ElementHeader& header, const char* formatKey);
    void ReportElementType(int descriptorId);
    bool SkipElementNodeLines(int nodeCount, bool* isEnd);
    bool ShiftId(int label, int mark, int* id) const;
    bool ShiftLabel(int label, int mark, int* id); // a node or element label
    void AddRecordError(const char* formatKey);
    static bool AreFinite(const double* values, int count);
    // Counts the values that are no numbers ("NaN", "Inf"): they are left out.
    void CountNonNumbers(const double* values, int count);
    bool AppendNodeIds(CFEElement* element, const int* labels, int count);

    // Results.
    bool ReadDataset2414();
    bool ReadResultHeader2414(std::string* labelLine, std::string* location, bool* isDone);
    bool ReadNodalResults(const std::string& labelLine);
    bool ReadElementResults(const std::string& labelLine);
    bool ReadValues2414(const std::string& labelLine, int location);
    void DescribeResult(int* vectorFlag, int* kind, int* code, std::string* typeWord,
                        std::string* title);
    int RotationCode(int code) const;
    std::string RotationTitle(int code, const std::string& title) const;
    CResultData* CreateResult(int location, int vectorFlag, uint32_t typeBits,
                              const std::string& name, int code, int kind,
                              const std::string& typeWord, const std::string& labelLine,
                              const std::string& title);
    void ReserveValues(CResultData* result, int location, bool withVectors);
    bool StoreId(int number, int location, int* id) const;
    void AddScalarValue(CResultData* result, int id, double value, int location);
    void AddVectorValue(CResultData* result, int id, const CPoint3D& vector, int location,
                        double magnitude);

    // Datasets 55 and 56.
    bool ReadDataset55(int location);
    bool ReadHeader55(int location, std::string* labelLine, bool* isDone);
    bool ReadValues55(int location, CResultData* first, CResultData* second,
                      const PrincipalResults& principal);
    bool CreatePrincipalResults(int location, const std::string& labelLine,
                                PrincipalResults* principal);
    void AddPrincipalValues(const PrincipalResults& principal, int id, const double tensor[6],
                            int location);

    std::string m_line; // the current line, shared by the dataset readers
    CUnvLineFile m_file;
    uint8_t m_hasNodes;
    uint8_t m_hasElements;
    CModelSet* m_model; // borrowed
    int m_analysisType;
    int m_dataCharacteristic;
    int m_resultType;
    int m_modeNumber;
    double m_frequency;
    int m_loadSet;
    int m_timeStep;
    double m_time;
    std::string m_datasetName;
    bool m_isPastBound = false; // a label, shifted, passed the largest id
    int m_nonNumbers = 0;       // values of the current result dataset that were no numbers
    bool m_hasHeldLine = false; // m_line holds the first number record of a dataset 55 or 56
    std::vector<std::string> m_errors;
    std::vector<std::string> m_errorKeys;
    std::map<std::string, std::string> m_errorTexts; // looked up once per key
};
