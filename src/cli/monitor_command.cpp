#include <atomic>
#include <chrono>
#include <csignal>
#include <exception>
#include <system_error>
#include <thread>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/command_line.h"
#include "monitor/modbus_master.h"
#include "monitor/monitor_output.h"
#include "overview/register_overview.h"
#include "platform/path_text.h"
#include "project/integer_text.h"
#include "update/com_port_names.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// What the command line asks of the monitor.
struct MonitorOptions {
    std::string port;
    bool once = false;
    std::chrono::milliseconds interval{1000};
    MonitorFormat format = MonitorFormat::Text;
    RegisterFunction function = RegisterFunction::Holding;
    std::optional<int> baud;
    std::optional<char> parity;
    std::optional<int> deviceId;
};

constexpr std::int32_t kLongestInterval = 3'600'000;

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

// Ctrl+C or a termination request ends the rounds after the read under way, while the
// command runs; the handlers before it come back afterwards.
class InterruptWatch {
public:
    InterruptWatch() {
        interrupted = false;
        previousInterrupt_ = std::signal(SIGINT, onInterrupt);
        previousTerminate_ = std::signal(SIGTERM, onInterrupt);
    }
    ~InterruptWatch() {
        std::signal(SIGINT, previousInterrupt_);
        std::signal(SIGTERM, previousTerminate_);
    }

private:
    void (*previousInterrupt_)(int);
    void (*previousTerminate_)(int);
};

std::int32_t integerOption(const ParsedArguments& parsed, std::string_view name, std::int32_t lowest,
                           std::int32_t highest) {
    std::string text = *parsed.option(name);
    std::optional<std::int32_t> value = parseIntegerText(text);
    if (!value || *value < lowest || *value > highest)
        throw UsageError("--" + std::string(name) + " takes a number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not '" + text + "'");
    return *value;
}

MonitorOptions monitorOptions(const ParsedArguments& parsed) {
    MonitorOptions options;
    std::optional<std::string> port = parsed.option("port");
    if (!port || port->empty()) throw UsageError("monitor needs --port DEVICE, the serial port of the gateway");
    options.port = serialDeviceOf(*port);
    options.once = parsed.option("once").has_value();
    if (parsed.option("interval"))
        options.interval = std::chrono::milliseconds(integerOption(parsed, "interval", 0, kLongestInterval));
    if (std::optional<std::string> format = parsed.option("format")) {
        std::optional<MonitorFormat> known = parseMonitorFormat(*format);
        if (!known) throw UsageError("unknown monitor format '" + *format + "'; use text, csv or json");
        options.format = *known;
    }
    if (std::optional<std::string> function = parsed.option("function")) {
        if (*function != "3" && *function != "4")
            throw UsageError("--function takes 3 (holding registers) or 4 (input registers), not '" + *function + "'");
        options.function = *function == "4" ? RegisterFunction::Input : RegisterFunction::Holding;
    }
    if (parsed.option("baud")) {
        options.baud = integerOption(parsed, "baud", 1, 4'000'000);
        if (!isSupportedBaud(*options.baud))
            throw UsageError("--baud " + std::to_string(*options.baud) + " is no baud rate a serial line takes");
    }
    if (std::optional<std::string> parity = parsed.option("parity")) {
        options.parity = parityLetter(*parity);
        if (!options.parity) throw UsageError("--parity takes N, E or O, not '" + *parity + "'");
    }
    if (parsed.option("id")) options.deviceId = integerOption(parsed, "id", kLowestDeviceId, kHighestDeviceId);
    return options;
}

// The line from the command line, pargen.xml filling in what it does not give; nothing, with
// the reasons said, when neither gives a setting.
std::optional<SerialLine> serialLine(const fs::path& projectDir, const MonitorOptions& options, std::ostream& err) {
    ProjectLine project = projectSerialLine(projectDir);
    SerialLine line;
    line.device = options.port;
    std::optional<int> baud = options.baud ? options.baud : project.baud;
    std::optional<char> parity = options.parity ? options.parity : project.parity;
    std::optional<int> deviceId = options.deviceId ? options.deviceId : project.deviceId;
    bool complete = baud && parity && deviceId;
    for (const std::string& note : project.notes) err << "telvanor-cli: " << note << "\n";
    if (!complete) {
        err << "telvanor-cli: give what pargen.xml does not:" << (baud ? "" : " --baud") << (parity ? "" : " --parity")
            << (deviceId ? "" : " --id") << "\n";
        return std::nullopt;
    }
    line.baud = *baud;
    line.parity = *parity;
    line.deviceId = *deviceId;
    return line;
}

// Whether every row's register was read in the round.
bool everyRegisterRead(const RegisterOverview& overview, const RoundReadings& round) {
    for (const OverviewRow& row : overview.rows)
        if (!readingOf(row, round).value) return false;
    return true;
}

int monitorCommand(const fs::path& projectDir, const MonitorOptions& options, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(projectDir, error)) {
        err << "telvanor-cli: " << platform::utf8FromPath(projectDir) << " is not a project folder\n";
        return kExitFailure;
    }
    try {
        RegisterOverview overview = BuildRegisterOverview(projectDir);
        for (const std::string& problem : overview.problems) err << "telvanor-cli: cannot read " << problem << "\n";
        if (overview.rows.empty()) {
            err << "telvanor-cli: the project maps no registers: there is nothing to read\n";
            return kExitSuccess;
        }
        std::optional<SerialLine> line = serialLine(projectDir, options, err);
        if (!line) return kExitFailure;
        std::vector<RegisterBlock> blocks = planBlocks(overviewRegisters(overview));
        ModbusMaster master(*line);
        err << "telvanor-cli: " << overview.rows.size() << " mappings, "
            << roundText(blocks, line->baud, line->parity != 'N') << ", function " << static_cast<int>(options.function)
            << " on " << line->device << " at " << lineText(*line) << "\n";

        out << monitorHeader(options.format) << std::flush;
        InterruptWatch watch;
        while (true) {
            RoundReadings round = readRound(master, options.function, blocks, [] { return interrupted.load(); });
            if (interrupted) return kExitSuccess;
            out << monitorRound(options.format, overview, round, std::chrono::system_clock::now()) << std::flush;
            if (options.once) return everyRegisterRead(overview, round) ? kExitSuccess : kExitFailure;
            auto due = std::chrono::steady_clock::now() + options.interval;
            while (!interrupted && std::chrono::steady_clock::now() < due)
                std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                    std::chrono::milliseconds(50), due - std::chrono::steady_clock::now()));
            if (interrupted) return kExitSuccess;
        }
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

int runMonitor(const ParsedArguments& parsed, std::istream&, std::ostream& out, std::ostream& err) {
    return monitorCommand(platform::pathFromUtf8(parsed.arguments[0]), monitorOptions(parsed), out, err);
}

}  // namespace

const CommandSpec& monitorCommandSpec() {
    static const CommandSpec command = {
        "monitor",
        {"PROJECT_DIR"},
        {{"port", 0, "DEVICE",
          "the gateway's serial port: a device such as\n/dev/ttyUSB0, or COM1 to COM10 (/dev/ttyS0\nto "
          "/dev/ttyS9); required"},
         {"once", 0, "", "read every register once and end"},
         {"interval", 0, "MS", "from one round to the next, 1000 when not\ngiven"},
         {"format", 0, "text|csv|json", "text (the default), csv or json"},
         {"function", 0, "3|4", "read holding registers (3, the default) or\ninput registers (4)"},
         {"baud", 0, "N", "the baud rate; pargen.xml's when not given"},
         {"parity", 0, "N|E|O", "the parity; pargen.xml's when not given"},
         {"id", 0, "N", "the gateway's Modbus device ID (1 to 247);\npargen.xml's when not given"}},
        "Read the gateway's registers over Modbus RTU (8 data bits, 1 stop\n"
        "bit) and print them named: every register of both register maps,\n"
        "contiguous registers in reads of at most 125, each with its direction,\n"
        "its value in decimal and hexadecimal, its high and low byte with the\n"
        "catalogue's fields, or why it could not be read (time-out, CRC error,\n"
        "the device's exception). A value is never made up: a failed read\n"
        "leaves it empty. A device that does not answer costs one second per\n"
        "read. csv has a title line (time, direction, register, register_hex,\n"
        "value, value_hex, high_byte, high_field, low_byte, low_field, error);\n"
        "json prints one object per round. Without --once it reads every\n"
        "interval until Ctrl+C. Exit status with --once: 0 when every register\n"
        "was read, 1 when any read failed.",
        runMonitor,
    };
    return command;
}

}  // namespace telvanor
