#include "support/LockStoreHolder.h"

#include <functional>
#include <vector>

namespace vqtest {

LockStoreHolder::LockStoreHolder(const std::string& repository, int spells) : m_repository(repository)
{
    std::vector<std::function<void()>> steps{[] {}};
    for (int spell = 0; spell < spells; ++spell) {
        steps.push_back([this] { m_held.emplace(m_repository, true); });
        steps.push_back([this] { m_held.reset(); });
    }
    m_process = std::make_unique<ChildProcess>(steps);
    m_process->WaitReady();
}

bool LockStoreHolder::Hold()
{
    if (m_holds)
        return true;
    m_holds = m_process->RunNextStep();
    return m_holds;
}

bool LockStoreHolder::Release()
{
    if (!m_holds)
        return true;
    m_holds = !m_process->RunNextStep();
    return !m_holds;
}

} // namespace vqtest
