// Imports one model file as the program's import does and prints what it read, so that a whole
// process can be timed from outside beside other readers of the same file:
//   ImportFile_bench FILE    (bulk data .bdf, .dat, .d; universal file .unv; OUTPUT2 .op2)
// Bulk data: read, pending nodes placed, faces; universal file: read, faces, loaded results
// updated; OUTPUT2: catalogue with geometry and every result loaded, the model finished. The
// model is left to the end of the process, as a user's project keeps it.
#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "io/bulk/BulkDataReader.h"
#include "io/op2/Op2Import.h"
#include "io/unv/UnvReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
class CDiscardOutput : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

std::string Ending(const std::string& path)
{
    const size_t dot = path.rfind('.');
    std::string ending = dot == std::string::npos ? "" : path.substr(dot);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: ImportFile_bench FILE\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::string ending = Ending(path);
    // Kept to the end of the process: freeing it is not part of an import.
    auto* model = new CModelSet;
    CDiscardOutput output;
    bool isRead = false;
    if (ending == ".op2")
    {
        std::vector<std::string> inputs;
        isRead = ImportOp2File(path, model, inputs, ChooseAllOp2Results, &output) == 0;
    }
    else if (ending == ".unv")
    {
        {
            CUnvReader reader(model);
            isRead = reader.ReadUnv(path);
        }
        model->BuildElementFaces();
        model->UpdateLoadedResults();
    }
    else if (ending == ".bdf" || ending == ".dat" || ending == ".d")
    {
        {
            CBulkDataReader reader(*model, output);
            isRead = reader.ReadBulkData(path);
        }
        model->TransformPendingNodes();
        model->BuildElementFaces();
        model->SaveMaxIds();
    }
    else
    {
        std::fprintf(stderr, "ImportFile_bench: no reader for %s\n", path.c_str());
        return 2;
    }
    std::printf("read=%d nodes=%d elements=%d results=%d\n", isRead ? 1 : 0, model->GetNodeCount(),
                model->GetElementCount(), static_cast<int>(model->GetResults().GetCount()));
    return isRead ? 0 : 1;
}
