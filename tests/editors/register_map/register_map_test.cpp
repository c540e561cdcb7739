#include "editors/register_map/register_map.h"

#include <random>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "project/integer_text.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

// A map of frames, each given as the Index texts of its mappings.
RegisterMap mapOf(MapKind kind, const std::vector<std::vector<std::string>>& frames) {
    RegisterMap map{kind, true, {}};
    for (const auto& indexes : frames) {
        TClPdo& frame = map.frames.emplace_back();
        frame.frameNumber = map.frames.size();
        for (const std::string& index : indexes)
            frame.mappings.push_back({index, "0", kind == MapKind::Transmit ? "0" : ""});
    }
    return map;
}

std::string conversionText(const std::function<void()>& action) {
    try {
        action();
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "<no error>";
}

TEST(RegisterMapIndexCheck, ComparesIntegerValuesOverAllFrames) {
    RegisterMap map = mapOf(MapKind::Receive, {{"3"}, {"16"}});
    EXPECT_THAT(CheckMapIndex(map, "0x10"), Optional(std::string("Index or Subindex Not Valid")));
    EXPECT_THAT(CheckMapIndex(map, "$3"), Optional(std::string("Index or Subindex Not Valid")));
    EXPECT_EQ(CheckMapIndex(map, "17"), std::nullopt);
    // Modify keeping the mapping's own Index, written differently.
    EXPECT_EQ(CheckMapIndex(map, "0x10", MappingRef{1, 0}), std::nullopt);
    EXPECT_THAT(CheckMapIndex(map, "0x10", MappingRef{0, 0}), Optional(std::string("Index or Subindex Not Valid")));
}

TEST(RegisterMapIndexCheck, ParsesNothingInAMapWithoutMappings) {
    EXPECT_EQ(CheckMapIndex(mapOf(MapKind::Receive, {{}, {}}), "letters"), std::nullopt);
}

TEST(RegisterMapIndexCheck, ConversionErrorNamesTheStoredTextBeforeTheTypedOne) {
    RegisterMap map = mapOf(MapKind::Receive, {{"5"}});
    EXPECT_EQ(conversionText([&] { CheckMapIndex(map, "letters"); }), "'letters' is not a valid integer value");
    map.frames[0].mappings[0].Index = "bad";
    EXPECT_EQ(conversionText([&] { CheckMapIndex(map, "letters"); }), "'bad' is not a valid integer value");
}

TEST(RegisterMapNew, ReceiveDropsIndexesOutsideTheRegisterRangeSilently) {
    RegisterMap map = mapOf(MapKind::Receive, {{}});
    for (const char* index : {"70000", "-1", "65536", "letters"}) {
        MapChange change = NewMapping(map, 0, {index, {1, 2}, 0});
        EXPECT_FALSE(change.done) << index;
        EXPECT_EQ(change.message, std::nullopt) << index;
    }
    EXPECT_TRUE(NewMapping(map, 0, {"65535", {1, 2}, 0}).done);
    EXPECT_TRUE(NewMapping(map, 0, {"0", {0, 0}, 0}).done);
    EXPECT_THAT(map.frames[0].mappings, ElementsAre(TClIndMB{"65535", "65538", ""}, TClIndMB{"0", "0", ""}));
}

TEST(RegisterMapNew, TransmitTakesAnyIndexThatPassesTheIndexCheck) {
    RegisterMap map = mapOf(MapKind::Transmit, {{}, {}});
    EXPECT_TRUE(NewMapping(map, 0, {"letters", {2, 1}, 1}).done) << "an empty map parses nothing";
    map.frames[0].mappings.clear();
    EXPECT_TRUE(NewMapping(map, 0, {"70000", {2, 1}, 1}).done);
    EXPECT_TRUE(NewMapping(map, 1, {"-1", {8, 8}, 0}).done);
    MapChange duplicate = NewMapping(map, 1, {"$11170", {0, 0}, 0});
    EXPECT_FALSE(duplicate.done);
    EXPECT_THAT(duplicate.message, Optional(std::string("Index or Subindex Not Valid")));
    EXPECT_THAT(map.frames[0].mappings, ElementsAre(TClIndMB{"70000", "33", "1"}));
    EXPECT_THAT(map.frames[1].mappings, ElementsAre(TClIndMB{"-1", "136", "0"}));
}

TEST(RegisterMapBytes, PackingOfBothKinds) {
    EXPECT_EQ(packPosComp(MapKind::Receive, {2, 1}), "131073");
    EXPECT_EQ(packPosComp(MapKind::Receive, {0, 4}), "4");
    EXPECT_EQ(packPosComp(MapKind::Receive, {20, 9}), std::to_string(20 * 65536 + 9));
    EXPECT_EQ(packPosComp(MapKind::Transmit, {2, 1}), "33");
    EXPECT_EQ(packPosComp(MapKind::Transmit, {8, 8}), "136");
    // A selector left without a choice counts as none instead of packing -1.
    EXPECT_EQ(packPosComp(MapKind::Receive, {-1, 3}), "3");
    EXPECT_EQ(packPosComp(MapKind::Transmit, {2, -1}), "32");
    // The highest positions still give integer text the image builder reads back.
    EXPECT_EQ(parseIntegerText(packPosComp(MapKind::Receive, {65535, 65535})), -1);
}

TEST(RegisterMapBytes, RadioGroupsShowTheLowFourBitsClampedToB8) {
    EXPECT_EQ(radioChoicesFor(MapKind::Receive, "131073"), (BytePair{2, 1}));
    EXPECT_EQ(radioChoicesFor(MapKind::Receive, "0"), (BytePair{0, 0}));
    EXPECT_EQ(radioChoicesFor(MapKind::Receive, std::to_string(20 * 65536 + 9)), (BytePair{4, 8}));
    EXPECT_EQ(radioChoicesFor(MapKind::Receive, "-1"), (BytePair{8, 8}));
    EXPECT_EQ(radioChoicesFor(MapKind::Transmit, "33"), (BytePair{2, 1}));
    EXPECT_EQ(radioChoicesFor(MapKind::Transmit, "136"), (BytePair{8, 8}));
    EXPECT_EQ(radioChoicesFor(MapKind::Transmit, "0x1F"), (BytePair{1, 8}));
    EXPECT_EQ(conversionText([] { radioChoicesFor(MapKind::Receive, ""); }), "'' is not a valid integer value");
}

TEST(RegisterMapBytes, ByteListsOfAMultiFrameMessage) {
    TClPdo frame;
    frame.byteCount = 10;
    EXPECT_TRUE(usesByteLists(MapKind::Receive, frame));
    EXPECT_FALSE(usesByteLists(MapKind::Transmit, frame));
    EXPECT_THAT(byteListEntries(frame), ElementsAre("None", "Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6",
                                                    "Byte7", "Byte8", "Byte9", "Byte10"));
    frame.byteCount = -3;
    EXPECT_TRUE(usesByteLists(MapKind::Receive, frame));
    EXPECT_THAT(byteListEntries(frame), ElementsAre("None"));
    frame.byteCount = 0x7FFFFFFF;
    EXPECT_EQ(byteListEntries(frame).size(), 65536u) << "no list beyond what PosComp can name";

    EXPECT_EQ(listChoicesFor(std::to_string(2 * 65536 + 10), 11), (BytePair{2, 10}));
    EXPECT_EQ(listChoicesFor(std::to_string(11 * 65536 + 3), 11), (BytePair{-1, 3}));
    EXPECT_EQ(conversionText([] { listChoicesFor("x", 11); }), "'x' is not a valid integer value");
}

TEST(RegisterMapBytes, WriteChoices) {
    EXPECT_EQ(writeChoiceFor("0"), 0);
    EXPECT_EQ(writeChoiceFor("1"), 1);
    EXPECT_EQ(writeChoiceFor("2"), -1);
    EXPECT_EQ(conversionText([] { writeChoiceFor(""); }), "'' is not a valid integer value");
    // A list without a choice stores "False".
    EXPECT_EQ(mappingFrom(MapKind::Transmit, {"1", {}, -1}).Write_J1939, "0");
    EXPECT_EQ(mappingFrom(MapKind::Receive, {"1", {}, 1}).Write_J1939, "");
}

std::vector<std::string> savedIndexes(const RegisterMap& map) {
    std::vector<std::string> indexes;
    for (const MappingRef& ref : SaveOrder(map)) indexes.push_back(map.frames[ref.frame].mappings[ref.position].Index);
    return indexes;
}

TEST(RegisterMapSaveOrder, AscendingValuesAndLaterEqualsFirst) {
    RegisterMap map = mapOf(MapKind::Receive, {{"7", "0x1A", "$2"}, {"7", "26", "1"}});
    std::vector<MappingRef> order = SaveOrder(map);
    EXPECT_THAT(order, ElementsAre(MappingRef{1, 2}, MappingRef{0, 2}, MappingRef{1, 0}, MappingRef{0, 0},
                                   MappingRef{1, 1}, MappingRef{0, 1}));
}

TEST(RegisterMapSaveOrder, NegativeAndVeryLargeValuesTakeTheirPlace) {
    RegisterMap map = mapOf(MapKind::Transmit, {{"10066330", "5", "-1", "0x7FFFFFFF", "10066329", "$80000000"}});
    EXPECT_THAT(savedIndexes(map), ElementsAre("$80000000", "-1", "5", "10066329", "10066330", "0x7FFFFFFF"));
}

TEST(RegisterMapSaveOrder, IndexThatIsNotAnIntegerStopsTheOrder) {
    RegisterMap map = mapOf(MapKind::Receive, {{"1", "one"}, {"two"}});
    EXPECT_EQ(conversionText([&] { SaveOrder(map); }), "'one' is not a valid integer value");
}

// The order as the simple search for the smallest Index gives it: a mapping whose value is
// equal to the smallest found so far replaces it, so the later of equal ones comes first.
std::vector<MappingRef> smallestFirst(const RegisterMap& map) {
    std::vector<MappingRef> left;
    for (std::size_t frame = 0; frame < map.frames.size(); ++frame)
        for (std::size_t position = 0; position < map.frames[frame].mappings.size(); ++position)
            left.push_back({frame, position});
    std::vector<MappingRef> order;
    while (!left.empty()) {
        std::size_t best = 0;
        std::int32_t smallest = INT32_MAX;
        for (std::size_t i = 0; i < left.size(); ++i) {
            std::int32_t value = integerText(map.frames[left[i].frame].mappings[left[i].position].Index);
            if (value <= smallest) {
                smallest = value;
                best = i;
            }
        }
        order.push_back(left[best]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(best));
    }
    return order;
}

TEST(RegisterMapSaveOrder, MatchesTheSearchForTheSmallestIndexOnRandomMaps) {
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        std::vector<std::vector<std::string>> frames(1 + random() % 6);
        int mappings = static_cast<int>(random() % 60);
        for (int i = 0; i < mappings; ++i) {
            // Few distinct values, so that many are equal, written in three ways.
            int value = static_cast<int>(random() % 12) - 2;
            std::string text = random() % 3 == 0 && value >= 0 ? "0x" + std::to_string(value) : std::to_string(value);
            if (value >= 0 && random() % 4 == 0) text = "$" + std::to_string(value);
            frames[random() % frames.size()].push_back(text);
        }
        RegisterMap map = mapOf(MapKind::Receive, frames);
        ASSERT_EQ(SaveOrder(map), smallestFirst(map)) << "round " << round;
    }
}

}  // namespace
}  // namespace telvanor
