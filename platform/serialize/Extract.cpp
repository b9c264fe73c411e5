#include "serialize/Serialize.h"
#include "serialize/SerializeTesting.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "win/TemporaryFolder.h"
#include "win/UiDriver.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace {

std::mutex g_mutex;
PxVQLink* g_link = nullptr;
HWND g_parent = nullptr;
bool g_failNextOpen = false;
std::vector<std::string> g_calls;

void Record(std::string call) { g_calls.push_back(std::move(call)); }

std::filesystem::path ExtractFolder()
{
    if (const char* folder = std::getenv("VQ_EXTRACT_DIR"); folder && *folder)
        return folder;
    return vqwin::TemporaryFolder();
}

template <class T>
const CList<T, const T&>& Elements(const PxTypedList<T>& list)
{
    return list;
}

void WriteSegment(std::ofstream& out, const PxVQBSSoftLinkPtr& segment)
{
    out << "segment " << segment->GetName().GetString() << '\n';
    PxTypedList<PxVQElementSoftLinkPtr> elements;
    segment->GetListOfElementSoftLinks(elements);
    for (POSITION pos = Elements(elements).GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr& element = Elements(elements).GetNext(pos);
        out << "  element " << element->GetElementType() << ' ' << element->GetName().GetString() << '\n';
    }
}

void WriteSystem(std::ofstream& out, const PxVQSystemPtr& system)
{
    out << "system " << system->GetName().GetString() << '\n';
    PxVQCurConfigPtr config = system->GetCurConfig();
    if (!config)
        return;
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    for (POSITION pos = Elements(optionSets).GetHeadPosition(); pos;)
        out << "option set " << Elements(optionSets).GetNext(pos)->GetName().GetString() << '\n';
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    for (POSITION pos = Elements(segments).GetHeadPosition(); pos;)
        WriteSegment(out, Elements(segments).GetNext(pos));
}

// Writes the extract whole: false with the reason when any of it, the last buffer
// included, could not be written.
bool WriteExtract(const std::filesystem::path& path, const PxVQSystemPtr& system, std::string& problem)
{
    errno = 0;
    std::ofstream out(path);
    WriteSystem(out, system);
    out.close();
    if (out)
        return true;
    problem = std::strerror(errno ? errno : EIO);
    return false;
}

} // namespace

int VQSSerializeOpen(PxVQLink* link)
{
    std::lock_guard lock(g_mutex);
    Record("VQSSerializeOpen");
    if (g_failNextOpen || !link) {
        g_failNextOpen = false;
        return 1;
    }
    g_link = link;
    return 0;
}

void VQSSetParentWindow(HWND parent)
{
    std::lock_guard lock(g_mutex);
    Record("VQSSetParentWindow");
    g_parent = parent;
}

int VQSExtractSystem(const char* systemName)
{
    std::string failure;
    HWND parent = nullptr;
    {
        std::lock_guard lock(g_mutex);
        const std::string name = systemName ? systemName : "";
        Record("VQSExtractSystem " + name);
        if (!g_link)
            return 1;
        try {
            PxVQEnterprisePtr enterprise = g_link->GetLVQEnterprise();
            PxVQSystemPtr system = enterprise ? enterprise->GetSystem(name.c_str()) : PxVQSystemPtr();
            if (!system)
                return 1;
            const std::filesystem::path path = ExtractFolder() / (name + ".vqx");
            std::string problem;
            if (WriteExtract(path, system, problem))
                return 0;
            failure = "Cannot write the extract " + path.string() + ": " + problem + ".";
            parent = g_parent;
        } catch (const VqException&) {
            return 1;
        }
    }
    // The serializer reports its own failures, in a box of the window it was given.
    MessageBox(parent, failure.c_str(), "Extract", MB_OK | MB_ICONSTOP);
    return 1;
}

void VQSSerializeClose()
{
    std::lock_guard lock(g_mutex);
    Record("VQSSerializeClose");
    g_link = nullptr;
    g_parent = nullptr;
}

namespace vqserialize {

std::vector<std::string> Calls()
{
    std::lock_guard lock(g_mutex);
    return g_calls;
}

void FailNextOpen()
{
    std::lock_guard lock(g_mutex);
    g_failNextOpen = true;
}

void Reset()
{
    std::lock_guard lock(g_mutex);
    g_calls.clear();
    g_failNextOpen = false;
    g_link = nullptr;
}

} // namespace vqserialize
