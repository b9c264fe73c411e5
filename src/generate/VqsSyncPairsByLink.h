// The pairs of a synchronisation record found by their element link, so that matching
// many chosen links against many pairs stays linear.
#pragma once

#include "proxy/PxHandle.h"
#include "proxy/VqcSyncPair.h"
#include "win/Collections.h"

#include <unordered_map>

class VqsSyncPairsByLink {
public:
    // The list must outlive the index; a link's first pair counts.
    explicit VqsSyncPairsByLink(const CList<VqcSyncPair, const VqcSyncPair&>& pairs)
    {
        m_pairs.reserve(static_cast<std::size_t>(pairs.GetCount()));
        for (POSITION pos = pairs.GetHeadPosition(); pos;) {
            const VqcSyncPair& pair = pairs.GetNext(pos);
            if (pair.link)
                m_pairs.emplace(pair.link->GetHandle(), &pair);
        }
    }

    // Null when no pair has the link.
    const VqcSyncPair* Find(const PxObjectPtr& link) const
    {
        if (!link)
            return nullptr;
        const auto found = m_pairs.find(link->GetHandle());
        return found == m_pairs.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<PxHandle, const VqcSyncPair*> m_pairs;
};
