// Valid projects made at random, each damaged in one or two ways, are given to the image
// builder and to check, in the program and on the command line: whatever the builder refuses,
// check refuses at the same file, row and attribute. The seed is fixed, so a failure comes
// back the same on every run.

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "check/project_check.h"
#include "cli/cli_run.h"
#include "image/config_image.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

namespace fs = std::filesystem;
using testing::cli;
using testing::CliRun;
using ::testing::IsSupersetOf;
using testing::TempDir;
using testing::writeFile;

using Attributes = std::vector<std::pair<std::string, std::string>>;

// A project file as rows of attributes (for pargen.xml: one row of elements).
struct ProjectFile {
    std::string name;
    std::string root;
    std::vector<Attributes> rows;
    bool elements = false;  // pargen.xml: each pair is an element with its text

    std::string text() const {
        std::string out = "<" + root + ">";
        for (const Attributes& row : rows) {
            if (elements) {
                for (const auto& [name, value] : row) out += "<" + name + ">" + value + "</" + name + ">";
                continue;
            }
            out += "<row";
            for (const auto& [name, value] : row) out += " " + name + "=\"" + value + "\"";
            out += "/>";
        }
        return out + "</" + root + ">";
    }
};

class ProjectMaker {
public:
    explicit ProjectMaker(unsigned seed) : random_(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    template <typename T>
    const T& oneOf(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(pick(0, static_cast<int>(values.size()) - 1))];
    }

    // A project every window and the builder take; each file left out now and then.
    std::vector<ProjectFile> validProject() {
        std::vector<ProjectFile> files;
        int receiveFrames = chance(85) ? pick(0, 5) : -1;
        int transmitFrames = chance(85) ? pick(0, 4) : -1;
        if (chance(85)) files.push_back(pargen());
        if (receiveFrames >= 0) files.push_back(receiveTable(receiveFrames));
        if (transmitFrames >= 0) files.push_back(transmitTable(transmitFrames));
        if (receiveFrames > 0 && chance(85)) files.push_back(map("RInfoCob.xml", "RInfoCob", receiveFrames, false));
        if (transmitFrames > 0 && chance(85)) files.push_back(map("TInfoCob.xml", "TInfoCob", transmitFrames, true));
        return files;
    }

    // Decimal, or now and then hexadecimal.
    std::string number(int value) {
        if (!chance(30)) return std::to_string(value);
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
        return text;
    }

private:
    ProjectFile pargen() {
        return {"pargen.xml",
                "GeneralParameter",
                {{{"BaudRateCAN", std::to_string(pick(0, 7))},
                  {"CANType", "1"},
                  {"Baud_Ser", std::to_string(pick(0, 7))},
                  {"Par_Ser", std::to_string(pick(0, 2))},
                  {"IDDev_Ser", std::to_string(pick(1, 247))},
                  {"TimeOut_Ser", "1000"},
                  {"TimeOut_Data", std::to_string(pick(0, 255))},
                  {"TO_ModReg", "1"},
                  {"Peer_to_Peer", std::to_string(pick(0, 1))},
                  {"Serial", std::to_string(pick(0, 1))},
                  {"Write_J1939", std::to_string(pick(0, 1))},
                  {"En_Rem_Req", "0"},
                  {"Pri_Des", "0"},
                  {"PGN1", "0"},
                  {"PGN2", "0"},
                  {"SA", "0"},
                  {"Send_Every", std::to_string(pick(0, 1))},
                  {"SE_ms", std::to_string(pick(1, 65535))},
                  {"HW_Type", std::to_string(pick(0, 1))}}},
                true};
    }

    ProjectFile receiveTable(int frames) {
        ProjectFile file{"RCobDef.xml", "COBID", {}};
        for (int i = 0; i < frames; ++i) {
            int framing = pick(0, 2);  // single, multi-packet, fast packet
            bool ranged = framing != 0;
            file.rows.push_back({{"DataPage", std::to_string(pick(0, 1))},
                                 {"PGN", number(pick(0, 65534))},
                                 {"ID_DEV", number(pick(1, 238))},
                                 {"MultiFrame", framing == 1 ? "Y" : "N"},
                                 {"FastPacket", framing == 2 ? "Y" : "N"},
                                 {"StartByte", ranged ? std::to_string(pick(1, 10)) : ""},
                                 {"NByte", ranged ? std::to_string(pick(1, 100)) : ""},
                                 {"Delete", chance(20) ? "Y" : "N"},
                                 {"Mnemonic", "frame " + std::to_string(i + 1)}});
        }
        return file;
    }

    ProjectFile transmitTable(int frames) {
        ProjectFile file{"TCobDef.xml", "COBID", {}};
        for (int i = 0; i < frames; ++i)
            file.rows.push_back({{"Priority", std::to_string(pick(0, 7))},
                                 {"DP", std::to_string(pick(0, 1))},
                                 {"PGN", number(pick(0, 65535))},
                                 {"ID_DEV", std::to_string(pick(0, 239))},
                                 {"Mnemonic", ""}});
        return file;
    }

    ProjectFile map(const char* name, const char* root, int frames, bool transmit) {
        ProjectFile file{name, root, {}};
        int index = pick(0, 20);
        for (int i = pick(0, 5); i > 0; --i) {
            index += pick(1, 300);
            int high = pick(0, 8), low = pick(0, 8);
            Attributes row{{"Index", number(index)},
                           {"NrPdo", std::to_string(pick(1, frames))},
                           {"PosComp", std::to_string(transmit ? high * 16 + low : high * 65536 + low)}};
            if (transmit) row.emplace_back("Write_J1939", std::to_string(pick(0, 1)));
            file.rows.push_back(std::move(row));
        }
        return file;
    }

    std::mt19937 random_;
};

// What a damage did: its kind, so that the test can tell which kinds the builder met, and
// the story of a round.
struct Damage {
    std::string kind;
    std::string story;
};

// How a file is damaged on disk: taken by a folder, a link to nothing or a FIFO, or cut short.
enum class OnDisk { Folder, DanglingLink, Fifo, Truncated };

// The ways a project gets damaged: by hand, by a tool, by a disk, by a later change elsewhere.
class Damager {
public:
    explicit Damager(ProjectMaker& maker) : maker_(maker) {}

    // Damages one file of the project in memory, or marks it for a damage on disk.
    Damage damage(std::vector<ProjectFile>& files, std::vector<std::pair<std::string, OnDisk>>& onDisk) {
        if (files.empty()) return {"none", "nothing to damage"};
        ProjectFile& file = files[static_cast<std::size_t>(maker_.pick(0, static_cast<int>(files.size()) - 1))];
        switch (maker_.pick(0, 9)) {
            case 0:
                file.root = "Wrong";
                return {"wrong root", file.name + ": root Wrong"};
            case 1:
            case 2: {
                auto way = static_cast<OnDisk>(maker_.pick(0, 3));
                onDisk.emplace_back(file.name, way);
                return {way == OnDisk::Truncated ? "truncated file" : "irregular file",
                        file.name + ": on disk, way " + std::to_string(static_cast<int>(way))};
            }
            case 3:
                return missingFrames(files);
            default:
                return damageValue(file);
        }
    }

private:
    // A blank, missing or non-integer value, or a flag in lower case.
    Damage damageValue(ProjectFile& file) {
        if (file.rows.empty()) return {"none", file.name + ": no rows to damage"};
        std::size_t row = static_cast<std::size_t>(maker_.pick(0, static_cast<int>(file.rows.size()) - 1));
        Attributes& attributes = file.rows[row];
        std::size_t at = static_cast<std::size_t>(maker_.pick(0, static_cast<int>(attributes.size()) - 1));
        std::string where = file.name + " row " + std::to_string(row + 1) + " " + attributes[at].first;
        switch (maker_.pick(0, 3)) {
            case 0:
                attributes[at].second = "";
                return {"blank value", where + " blank"};
            case 1:
                attributes.erase(attributes.begin() + static_cast<std::ptrdiff_t>(at));
                return {"missing value", where + " missing"};
            case 2:
                attributes[at].second = maker_.oneOf<std::string>({"x", "1A", "26 ", "0x", "$", "--1", "1.5", " "});
                return {"non-integer value", where + " '" + attributes[at].second + "'"};
            default:
                attributes[at].second = maker_.oneOf<std::string>({"y", "n", "yes"});
                return {"flag text", where + " '" + attributes[at].second + "'"};
        }
    }

    // Frames taken away from a frame table, or a mapping pointed past them.
    Damage missingFrames(std::vector<ProjectFile>& files) {
        for (ProjectFile& file : files) {
            if (file.name != "RCobDef.xml" && file.name != "TCobDef.xml") continue;
            if (file.rows.empty()) continue;
            if (maker_.chance(50)) {
                file.rows.pop_back();
                return {"missing frame", file.name + ": last frame removed"};
            }
        }
        for (ProjectFile& file : files) {
            if ((file.name != "RInfoCob.xml" && file.name != "TInfoCob.xml") || file.rows.empty()) continue;
            std::string frame = maker_.oneOf<std::string>({"0", "-1", "9", "250"});
            for (auto& [name, value] : file.rows.front())
                if (name == "NrPdo") value = frame;
            return {"missing frame", file.name + ": row 1 NrPdo " + frame};
        }
        return {"none", "no frames to take away"};
    }

    ProjectMaker& maker_;
};

void writeProject(const fs::path& dir, const std::vector<ProjectFile>& files,
                  const std::vector<std::pair<std::string, OnDisk>>& onDisk, ProjectMaker& maker) {
    for (const ProjectFile& file : files) {
        fs::path path = dir / file.name;
        auto damage = std::find_if(onDisk.begin(), onDisk.end(), [&](const auto& d) { return d.first == file.name; });
        std::string text = file.text();
        if (damage == onDisk.end()) {
            writeFile(path, text);
            continue;
        }
        switch (damage->second) {
            case OnDisk::Folder:
                fs::create_directory(path);
                break;
            case OnDisk::DanglingLink:
                fs::create_symlink("nowhere.xml", path);
                break;
            case OnDisk::Fifo:
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
                break;
            case OnDisk::Truncated:
                writeFile(path,
                          text.substr(0, static_cast<std::size_t>(maker.pick(0, static_cast<int>(text.size()) - 1))));
        }
    }
}

bool refusedAt(const ProjectCheck& check, const ProjectPlace& place) {
    return std::any_of(check.findings.begin(), check.findings.end(), [&](const CheckFinding& finding) {
        return !finding.warning && finding.file == place.file && finding.row == place.row &&
               finding.attribute == place.attribute;
    });
}

std::string findingsText(const ProjectCheck& check) {
    std::string text;
    for (const CheckFinding& finding : check.findings)
        text += (finding.warning ? "  warning: " : "  ") + finding.file + ": " + finding.message + "\n";
    return text;
}

// The command line user's view: when build fails, check fails too, with a refusal of the
// same file that ends with the same place in the file's terms: "(RInfoCob.xml row 3, NrPdo)".
void expectCommandLineAgrees(const fs::path& dir, const std::string& story) {
    CliRun built = cli({"build", dir.string(), "-o", "-"});
    if (built.status == 0) return;
    CliRun checked = cli({"check", dir.string()});
    EXPECT_EQ(checked.status, 1) << story << "\n" << built.err << checked.out;
    std::string place = built.err.substr(built.err.rfind(" ("));  // " (FILE row N, ATTRIBUTE)\n"
    std::string file = place.substr(2, place.find_first_of(" ,)", 2) - 2);
    bool found = false;
    std::istringstream lines(checked.out);
    for (std::string line; std::getline(lines, line);)
        found = found || (line.rfind(file + ": ", 0) == 0 && (line + "\n").ends_with(place));
    EXPECT_TRUE(found) << story << "\nbuild: " << built.err << "check:\n" << checked.out;
}

TEST(CheckCoversBuild, WhateverTheBuildRefusesCheckRefusesAtTheSamePlace) {
    ProjectMaker maker(20240522);
    Damager damager(maker);
    int refusedByBuild = 0;
    std::set<std::string> kindsRefused;  // the kinds of damage behind the builder's refusals
    for (int round = 0; round < 300; ++round) {
        TempDir dir;
        std::vector<ProjectFile> files = maker.validProject();
        std::vector<std::pair<std::string, OnDisk>> onDisk;
        std::string what;
        std::vector<std::string> kinds;
        if (round % 10 != 0)  // one round in ten stays whole
            for (int damages = maker.pick(1, 2); damages > 0; --damages) {
                Damage damage = damager.damage(files, onDisk);
                what += damage.story + "; ";
                kinds.push_back(damage.kind);
            }
        writeProject(dir.path(), files, onDisk, maker);
        std::string story = "round " + std::to_string(round) + ": " + (what.empty() ? "undamaged" : what);

        std::optional<ProjectPlace> refusal;
        try {
            BuildConfigImage(dir.path());
        } catch (const ImageBuildError& error) {
            refusal = error.place();
        }
        ProjectCheck check = CheckProject(dir.path());
        if (what.empty()) {
            EXPECT_FALSE(refusal) << story;
            EXPECT_FALSE(check.refused()) << story << "\n" << findingsText(check);
        }
        if (!refusal) continue;
        ++refusedByBuild;
        if (kinds.size() == 1) kindsRefused.insert(kinds.front());
        EXPECT_TRUE(check.refused()) << story;
        EXPECT_TRUE(refusedAt(check, *refusal))
            << story << "\nthe build refuses " << fileWords(*refusal) << "; check says\n"
            << findingsText(check);
        expectCommandLineAgrees(dir.path(), story);
    }
    // Enough of the damage reaches the builder, in each of its kinds, for the rounds to mean
    // something. (The builder reads rows under any root, so a wrong root alone is check's.)
    EXPECT_GT(refusedByBuild, 100);
    EXPECT_THAT(kindsRefused, IsSupersetOf({"blank value", "irregular file", "missing frame", "missing value",
                                            "non-integer value", "truncated file"}));
}

}  // namespace
}  // namespace telvanor
