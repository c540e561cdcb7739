#include "cli/command_output.h"

#include <array>
#include <system_error>

#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/equal_no_case.h"
#include "project/file_lookup.h"
#include "project/formats/emcy_def_format.h"
#include "project/formats/emcy_word_format.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/sdo_format.h"
#include "project/formats/transmit_frames_format.h"
#include "project/formats/transmit_pdo_format.h"
#include "project/workspace.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The files that hold the user's work.
constexpr std::array<std::string_view, 9> kProjectFiles = {kPargenFile,      kRCobDefFile,  kTCobDefFile,
                                                           kRInfoCobFile,    kTInfoCobFile, kSdoFile,
                                                           kTransmitPdoFile, kEmcyDefFile,  kEmcyWordFile};

fs::path resolved(const fs::path& path) {
    std::error_code error;
    fs::path result = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? fs::absolute(path) : result;
}

// Whether `output` is `folder`/`name` in any letter case, or the same file as it.
bool names(const fs::path& output, const fs::path& folder, std::string_view name) {
    fs::path target = resolved(output);
    if (target.parent_path() == resolved(folder) && equalNoCase(platform::utf8FromPath(target.filename()), name))
        return true;
    std::optional<fs::path> existing = findFileNoCase(folder, name);
    std::error_code error;
    return existing && fs::equivalent(output, *existing, error);
}

}  // namespace

std::optional<std::string> projectFileAt(const fs::path& projectDir, const fs::path& output, bool imageAllowed) {
    if (output == "-") return std::nullopt;
    for (std::string_view name : kProjectFiles)
        if (names(output, projectDir, name)) return std::string(name);
    fs::path binFolder = projectBinFolder(projectDir);
    if (!imageAllowed && names(output, binFolder, kImageFile))
        return std::string(kBinFolder) + "/" + std::string(kImageFile);
    return std::nullopt;
}

bool refusedAsProjectFile(const fs::path& projectDir, const fs::path& output, bool imageAllowed, std::ostream& err) {
    std::optional<std::string> own = projectFileAt(projectDir, output, imageAllowed);
    if (own)
        err << "telvanor-cli: " << platform::utf8FromPath(output) << " is the project's own " << *own
            << "; nothing is written over it, choose another output\n";
    return own.has_value();
}

void writeCommandOutput(const fs::path& output, std::string_view bytes, std::ostream& out) {
    if (output == "-") {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        return;
    }
    writeOutputFile(output, bytes);
}

}  // namespace telvanor
