// Texts of the import steps' output lines.
#include "io/results/ImportMessages.h"

#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "core/services/StringFile.h"

namespace
{
constexpr size_t kIdsShown = 5;
} // namespace

std::string ImportMessage(const char* key, std::initializer_list<CFormatArg> values)
{
    std::string text;
    if (LoadStringFromFile("Message.str", "Error", key, &text))
        return FormatText(text, values);
    // Without the string file the key says which message it is, and the values follow.
    text = key;
    for (const CFormatArg& value : values)
        text += " " + value.ToText();
    return text;
}

std::string ListOfIds(const std::vector<int>& ids)
{
    std::string text;
    for (const int id : ids)
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    return text;
}

void ReportMissingNodes(const CModelSet& model, UINT elementMark, COutputSink& sink)
{
    std::vector<CModelSet::MissingNodes> first;
    const int count = model.CountElementsWithMissingNodes(elementMark, &first, kIdsShown);
    if (count == 0)
        return;
    // Element and node ids both: the element is what a user looks up in the deck.
    std::string elements;
    for (const CModelSet::MissingNodes& element : first)
    {
        elements +=
            (elements.empty() ? "" : "; ") +
            ImportMessage("ElementMissingNodes", {element.elementId, ListOfIds(element.nodeIds)});
    }
    sink.AddOutputLine(ImportMessage("ElementsMissingNodes", {count, elements}));
}
