#include "check/file_checks.h"
#include "editors/register_map/register_map_check.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

std::vector<CheckFinding> findingsOf(const std::vector<RegisterMapFinding>& mapFindings) {
    std::vector<CheckFinding> findings;
    findings.reserve(mapFindings.size());
    for (const RegisterMapFinding& f : mapFindings)
        findings.push_back({f.file, f.message, f.warning, f.row, f.attribute, f.frame});
    return findings;
}

}  // namespace

std::vector<CheckFinding> checkReceiveMapFile(const fs::path&, const fs::path& projectDir) {
    return findingsOf(CheckReceiveMap(projectDir));
}

std::vector<CheckFinding> checkTransmitMapFile(const fs::path&, const fs::path& projectDir) {
    return findingsOf(CheckTransmitMap(projectDir));
}

}  // namespace telvanor
