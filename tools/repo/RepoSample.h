// The sample enterprise of the demo and the integration tests, as a repository
// description: business segments with every element kind, each taken into the
// configurations of systems of its own (a configuration holds one segment), option sets
// for all four host types, hosts of every type, packs with their associations, report
// groups and bundles. The scale makes it larger for measurements; the default is the
// sample itself.
#pragma once

#include "repo/RepoDescription.h"

#include <cstdint>
#include <string>

namespace vqrepo {

// The largest sample, so that making one ends in minutes: at most 1,000 systems, 1,000
// segments and 100,000 generated elements a segment, and at most 2,000,000 element links in
// all configurations together, SYSTEMS x SEGMENTS x (ELEMENTS + the 16 a segment of the
// sample has of its own).
constexpr int kMostSampleSystems = 1000;
constexpr int kMostSampleSegments = 1000;
constexpr int kMostSampleElements = 100000;
constexpr int kSampleOwnElements = 16;
constexpr std::int64_t kMostSampleLinks = 2000000;

struct SampleScale {
    int systems = 2;             // systems of each segment
    int segments = 3;            // design business segments, each taken by systems of its own
    int elementsPerSegment = 0;  // 0: the sample's own elements; more: generated ones besides
};

RepoDescription SampleDescription(const SampleScale& scale = {});

// The scale from "SYSTEMS,SEGMENTS,ELEMENTS" (e.g. "100,20,500": at least one system and
// one segment, within the largest sample); false, leaving the scale, for any other text.
bool ParseSampleScale(const std::string& text, SampleScale& scale);

} // namespace vqrepo
