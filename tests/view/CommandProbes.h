// Commands for the command-manager and selection tests: a probe that logs what reaches it (the
// log outlives it), and can ask for a selection on Start or end itself from its own operations.
#pragma once

#include "view/CmdColl.h"
#include "view/CmdRecord.h"

#include <memory>
#include <string>
#include <vector>

namespace view_window_test
{
struct ProbeLog
{
    std::vector<std::string> events; // "A start 513", "A ok", "A deleted"...
    // The entities of each selection record that reached a probe (ids; elements negative).
    std::vector<std::vector<int>> selections;
    const CCmdRecord* lastRecord = nullptr;
};

class ProbeCommand : public CCmdColl
{
public:
    ProbeCommand(ProbeLog& log, const char* name);
    ~ProbeCommand() override;

    void Start(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override;
    void OnDialogCancel(CCmdRecord* record) override;
    void OnDialogNotify(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
    void Do() override;
    void Undo() override;

    // Sent from Start when set.
    std::unique_ptr<CPickRequestRecord> m_request;
    // Codes sent from OnDialogOk and from OnSelectionOk (-1: none); such a code may delete
    // this command, which then touches nothing of itself.
    int m_codeOnDialogOk = -1;
    int m_codeOnSelectionOk = -1;

private:
    void Log(const std::string& event);
    void Send(int code);

    ProbeLog& m_log;
    std::string m_name;
};

// Ids of entities, nodes positive and elements negative, in the order given.
std::vector<int> IdsOf(const CEntityArray& entities);
} // namespace view_window_test
