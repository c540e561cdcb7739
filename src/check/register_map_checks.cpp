#include "check/file_checks.h"
#include "editors/register_map/register_map_check.h"

namespace telvanor {

namespace fs = std::filesystem;

std::vector<CheckFinding> checkReceiveMapFile(const fs::path&, const fs::path& projectDir) {
    return findingsAs<CheckFinding>(CheckReceiveMap(projectDir));
}

std::vector<CheckFinding> checkTransmitMapFile(const fs::path&, const fs::path& projectDir) {
    return findingsAs<CheckFinding>(CheckTransmitMap(projectDir));
}

}  // namespace telvanor
