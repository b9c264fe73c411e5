// Building and reading the sample enterprise at a chosen scale, beside raw SQLite writing
// and reading the same rows.
#pragma once

#include "repo/RepoSample.h"

// The scale of the sample benchmarks; "--sample-scale=SYSTEMS,SEGMENTS,ELEMENTS" on the
// command line sets it (vqrepo::ParseSampleScale, as for vqsrepo sample; e.g. 100,20,500;
// the default run is small).
void SetSampleScale(const vqrepo::SampleScale& scale);
// The objects one sample build writes and one sample read visits (0 before they ran).
long SampleObjectsWritten();
long SampleObjectsRead();
