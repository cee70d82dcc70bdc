// The texts of a build from a list: the roles' names and why a build changed nothing.
#include "app/commands/ListTexts.h"

#include <initializer_list>

namespace {

// The text with %1, %2, ... replaced by the values in order.
std::wstring Fill(std::wstring text, std::initializer_list<std::wstring> values) {
    int n = 1;
    for (const std::wstring& value : values) {
        std::wstring mark = L"%" + std::to_wstring(n++);
        for (size_t at = text.find(mark); at != std::wstring::npos; at = text.find(mark, at + value.size()))
            text.replace(at, mark.size(), value);
    }
    return text;
}

std::wstring WideText(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

int FaultItem(ListFault fault) {
    switch (fault) {
    case ListFault::MissingName:
        return 3;
    case ListFault::UnknownManager:
        return 4;
    case ListFault::ManagerCycle:
        return 6;
    case ListFault::DuplicateId:
        return 7;
    case ListFault::DuplicateName:
        return 8;
    }
    return 3;
}

} // namespace

std::wstring ListRoleName(const ShellState& shell, ListRole role) {
    return Tr(shell, MessageTable::ChartFromList, 14 + int(role));
}

std::wstring BuildRefusalText(const ShellState& shell, const BuildOutcome& outcome, size_t shown) {
    switch (outcome.result) {
    case BuildResult::Built:
        return {};
    case BuildResult::Undecided: {
        std::wstring roles;
        for (ListRole role : outcome.undecided)
            roles += (roles.empty() ? L"" : L", ") + ListRoleName(shell, role);
        return Fill(Tr(shell, MessageTable::ChartFromList, 13), {roles});
    }
    case BuildResult::EmptyList:
        return Tr(shell, MessageTable::ChartFromList, 11);
    case BuildResult::BookTooLarge:
        return Tr(shell, MessageTable::Pages, 20);
    case BuildResult::TooLarge:
        return Fill(Tr(shell, MessageTable::ChartFromList, 10),
                    {std::to_wstring(outcome.people), std::to_wstring(outcome.chartColumns),
                     std::to_wstring(outcome.chartRows)});
    case BuildResult::FaultyList:
        break;
    }
    std::wstring text = Tr(shell, MessageTable::ChartFromList, 2);
    for (size_t i = 0; i < outcome.faults.size() && i < shown; ++i) {
        const FaultyLine& f = outcome.faults[i];
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ChartFromList, FaultItem(f.fault)),
                               {std::to_wstring(f.line), WideText(f.detail)});
    }
    if (outcome.faults.size() > shown)
        text += L"\r\n" + Fill(Tr(shell, MessageTable::ChartFromList, 9),
                               {std::to_wstring(outcome.faults.size() - shown)});
    return text;
}
