#include "vqclient/VqClient.h"
#include "vqclient/VqcTesting.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/VqException.h"
#include "win/TemporaryFolder.h"

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path DifferenceFolder(const CString& outputDirectory)
{
    if (!outputDirectory.IsEmpty())
        return outputDirectory.GetString();
    const std::string work = vqclient::CurrentSettings().workPath;
    return work.empty() ? vqwin::TemporaryFolder() : std::filesystem::path(work);
}

// The bundle name as one file name: separators and other unsafe bytes become '_'.
std::string SafeFileName(const CString& name)
{
    std::string safe = name.str();
    for (char& c : safe) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    if (safe.empty() || safe == "." || safe == "..")
        safe = "_";
    return safe;
}

} // namespace

int ReportOnBundleDifferences(const PxLSEBusinessSegmentPtr& segment, const CString& outputDirectory,
                              const CString& packagePrefix, const CString& applicationName, const PxVQBundlePtr& bundle,
                              CString& fileName)
{
    if (!bundle)
        return 0;
    try {
        const std::filesystem::path path = DifferenceFolder(outputDirectory) / (SafeFileName(bundle->GetName()) + ".dif");
        std::ofstream out(path);
        out << "bundle " << bundle->GetName().GetString() << " package " << packagePrefix.GetString()
            << " application " << applicationName.GetString() << '\n';
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        bundle->GetListOfIspecBundleData(entries);
        const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            PxVQIspecSoftLinkPtr ispec = list.GetNext(pos)->GetIspecInformation();
            if (!ispec)
                continue;
            const bool designed = segment && segment->GetElement(ispec->GetName());
            out << ispec->GetName().GetString() << (designed ? " in step" : " missing from the design") << '\n';
        }
        // A write can fail at the last buffer, so the file is judged once it is closed.
        out.close();
        if (!out)
            return 0;
        fileName = path.string().c_str();
        return 1;
    } catch (const VqException&) {
        return 0;
    }
}
