#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "check/project_check.h"
#include "editors/pargen/comm_params.h"
#include "editors/receive_frames/receive_frames.h"
#include "editors/register_map/register_map_file.h"
#include "editors/transmit_frames/transmit_frames.h"
#include "fuzz_input.h"
#include "project/integer_text.h"

namespace fs = std::filesystem;
using namespace telvanor;

namespace {

// A table the editor accepted reads back, after its save, as the rows it saved.
template <typename Load, typename Save, typename Length, typename Row>
void roundTrip(Load load, Save save, Length length, const std::vector<Row>& rows, const fs::path& file) {
    save(file, rows);
    auto again = load(file);
    std::vector<Row> kept(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(length(rows)));
    if (again.rows != kept) std::abort();
}

}  // namespace

// The editors' readers on a project folder whose five files come from the fuzzer (separated
// by kFileSeparator: RCobDef, TCobDef, RInfoCob, TInfoCob, pargen), then the project check.
// Nothing may crash, and whatever an editor accepts must survive its own save and load.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path project = fuzz::scratchFolder("project");
    static const fs::path saved = fuzz::scratchFolder("saved");
    static const char* names[] = {"RCobDef.xml", "TCobDef.xml", "RInfoCob.xml", "TInfoCob.xml", "pargen.xml"};
    std::vector<std::string> files = fuzz::splitFiles(data, size, 5);
    for (std::size_t i = 0; i < 5; ++i) {
        fs::path file = project / names[i];
        if (files[i].empty())
            fs::remove(file);
        else
            std::ofstream(file, std::ios::binary | std::ios::trunc) << files[i];
    }

    CommParamsLoad parameters = LoadCommParams(project / "pargen.xml");
    if (!Controllo_Dati(parameters.params)) {
        SaveCommParams(saved / "pargen.xml", parameters.params);
        if (LoadCommParams(saved / "pargen.xml").params.TimeOut_Data != parameters.params.TimeOut_Data) std::abort();
    }

    ReceiveFramesLoad receive = LoadReceiveFrames(project / "RCobDef.xml");
    if (receive.outcome == FrameTableOutcome::Loaded && !ValidateReceiveFrames(receive.rows))
        roundTrip(LoadReceiveFrames, SaveReceiveFrames, ReceiveFramesLength, receive.rows, saved / "RCobDef.xml");
    TransmitFramesLoad transmit = LoadTransmitFrames(project / "TCobDef.xml");
    if (transmit.outcome == FrameTableOutcome::Loaded && !ValidateTransmitFrames(transmit.rows))
        roundTrip(LoadTransmitFrames, SaveTransmitFrames, TransmitFramesLength, transmit.rows, saved / "TCobDef.xml");

    for (MapKind kind : {MapKind::Receive, MapKind::Transmit}) {
        RegisterMapLoad map = LoadRegisterMap(project, kind);
        try {
            SaveRegisterMap(map.map, saved);
        } catch (const ConversionError&) {
            // An Index that is not an integer: the window's OK writes nothing either.
        }
    }
    (void)LoadWriteNmeaOption(project);
    (void)CheckProject(project);
    return 0;
}
