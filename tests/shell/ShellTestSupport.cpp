#include "ShellTestSupport.h"

#include "proxy/PxLink.h"

std::string ShellTest::Repository(const std::string& name)
{
    const std::string path = dir.File(name);
    PxLink::CreateRepository(path.c_str());
    return path;
}

std::vector<std::string> ShellTest::Boxes()
{
    std::vector<std::string> texts;
    for (const vqui::TranscriptEntry& entry : vqui::Transcript())
        texts.push_back(entry.event.text.str());
    return texts;
}
