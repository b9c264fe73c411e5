#include "options/VqsElementListCtrlPxAdapter.h"

#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQSoftLink.h"
#include "shell/VqsSysApp.h"
#include "win/Mbcs.h"

#include <algorithm>

VqsElementListCtrlPxAdapter::VqsElementListCtrlPxAdapter(const char* title, int width)
    : m_title(title), m_nWidth(width)
{
}

VqsElementListCtrlPxAdapter::~VqsElementListCtrlPxAdapter() = default;

CString VqsElementListCtrlPxAdapter::GetTitle() const { return m_title; }

int VqsElementListCtrlPxAdapter::GetWidth() const { return m_nWidth; }

int VqsElementListCtrlPxAdapter::GetFormat() const { return 0; }

BOOL VqsElementListCtrlPxAdapter::HasChoices() const { return m_choices.GetSize() > 0; }

const CStringArray* VqsElementListCtrlPxAdapter::GetChoices() const { return &m_choices; }

void VqsElementListCtrlPxAdapter::GetText(PxOptionsPtr*, char*, int) {}

void VqsElementListCtrlPxAdapter::SetText(PxOptionsPtr*, const char*, int) {}

BOOL VqsElementListCtrlPxAdapter::MergeEditor(PxOptionsPtr*, const char*) { return FALSE; }

BOOL VqsElementListCtrlPxAdapter::LoadEditor(PxOptionsPtr*, const char*) { return TRUE; }

BOOL VqsElementListCtrlPxAdapter::GetEditorText(char*, int) { return FALSE; }

void VqsElementListCtrlPxAdapter::RefreshEditor() {}

void VqsElementListCtrlPxAdapter::FillChoices() {}

void VqsElementListCtrlPxAdapter::PrimeDefault(VqsOptionRows*) {}

void VqsElementListCtrlPxAdapter::CopyCellText(const CString& text, char* buffer, int length)
{
    if (buffer && length > 0)
        mbcs::CopyToBuffer(std::string_view(text, static_cast<std::size_t>(text.GetLength())), buffer,
                           static_cast<std::size_t>(length));
}

PxOptions* VqsRowRecord(PxOptionsPtr* row) { return row ? row->get() : nullptr; }

namespace {

// The known links in place, the newest last.
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
std::vector<const VqsKnownRowSoftLinks*> g_knownRowSoftLinks;

std::vector<const VqsKnownRowSoftLinks*>& KnownRowSoftLinks() { return g_knownRowSoftLinks; }

bool InTransaction()
{
    const VqsSysApp* app = VqsGetApp();
    const PxVQLink* link = app ? app->GetLink() : nullptr;
    return link && link->IsInTransaction();
}

} // namespace

PxVQSoftLinkPtr VqsRowSoftLink(PxOptionsPtr* row)
{
    const PxVQOptionsPtr options(row ? *row : PxOptionsPtr());
    if (!options)
        return PxVQSoftLinkPtr();
    if (!InTransaction()) {
        const auto& known = KnownRowSoftLinks();
        for (auto links = known.rbegin(); links != known.rend(); ++links)
            if (const PxVQSoftLinkPtr* link = (*links)->Find(row->get()))
                return *link;
    }
    return options->GetSoftLink();
}

std::vector<PxVQSoftLinkPtr> VqsRowSoftLinks(const std::vector<PxOptionsPtr*>& rows)
{
    std::vector<PxVQOptionsPtr> records;
    for (PxOptionsPtr* row : rows)
        if (const PxVQOptionsPtr options{row ? *row : PxOptionsPtr()})
            records.push_back(options);
    const std::vector<PxVQSoftLinkPtr> read = PxVQOptions::SoftLinksOf(records);
    std::vector<PxVQSoftLinkPtr> links;
    auto next = read.begin();
    for (PxOptionsPtr* row : rows)
        links.push_back(PxVQOptionsPtr{row ? *row : PxOptionsPtr()} ? *next++ : PxVQSoftLinkPtr());
    return links;
}

VqsKnownRowSoftLinks::VqsKnownRowSoftLinks(const std::vector<PxOptionsPtr>& records,
                                           const std::vector<PxVQSoftLinkPtr>& links)
{
    for (std::size_t index = 0; index < records.size() && index < links.size(); ++index)
        if (records[index])
            m_links[records[index].get()] = {records[index], links[index]};
    KnownRowSoftLinks().push_back(this);
}

VqsKnownRowSoftLinks::~VqsKnownRowSoftLinks()
{
    auto& known = KnownRowSoftLinks();
    known.erase(std::remove(known.begin(), known.end(), this), known.end());
}

const PxVQSoftLinkPtr* VqsKnownRowSoftLinks::Find(const PxOptions* record) const
{
    const auto found = m_links.find(record);
    return found == m_links.end() ? nullptr : &found->second.second;
}
