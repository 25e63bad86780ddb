// Colour table, display state of occurrences, freeze and delay status.
#include "session_fixture.h"

#include <array>
#include <tuple>
#include <vector>

using namespace hostsim_test;

namespace {

// The palette's layout (hostsim/README.md): a 6 x 6 x 6 cube, then greys.
constexpr int kPaletteSize = 240;
constexpr int kCubeSize = 216;

using Rgb = std::array<double, 3>;

Rgb colorOf(int index) {
    Rgb color{-1, -1, -1};
    char name[HOST_COLOR_NAME_BUFSIZE];
    EXPECT_EQ(0, UF_DISP_ask_color(index, HOST_COLOR_MODEL_RGB, name, color.data())) << index;
    return color;
}

int closest(const Rgb& color) {
    int index = -1;
    EXPECT_EQ(0, UF_DISP_ask_closest_color(HOST_COLOR_MODEL_RGB, color.data(),
                                           HOST_CLOSEST_EUCLIDEAN, &index));
    return index;
}

using Palette = DieSetTest;

TEST_F(Palette, EntriesFollowTheCubeAndGreyLayout) {
    // Index 1 + 36 r + 6 g + b with level k meaning k/5; grey n is n/25.
    const std::pair<int, Rgb> entries[] = {{1, {0, 0, 0}},
                                           {kCubeSize, {1, 1, 1}},
                                           {1 + 36 * 4 + 6 * 2 + 3, {0.8, 0.4, 0.6}},
                                           {kCubeSize + 1, {0.04, 0.04, 0.04}},
                                           {kPaletteSize, {0.96, 0.96, 0.96}}};
    for (const auto& [index, expected] : entries)
        EXPECT_EQ(expected, colorOf(index)) << index;
}

TEST_F(Palette, EveryEntryMapsToItselfOrTheLowestEqualEntry) {
    std::vector<Rgb> colors(kPaletteSize + 1);
    for (int index = 1; index <= kPaletteSize; ++index)
        colors[index] = colorOf(index);
    // Greys that the cube holds already tie with it and give the cube's index.
    for (int index = 1; index <= kPaletteSize; ++index) {
        int first = 1;
        while (colors[first] != colors[index])
            ++first;
        EXPECT_EQ(first, closest(colors[index])) << index;
    }
}

// Colour, blank status and highlight of an occurrence.
std::tuple<int, int, int> displayOf(tag_t occurrence) {
    UF_OBJ_disp_props_t properties{};
    EXPECT_EQ(0, UF_OBJ_ask_display_properties(occurrence, &properties));
    return {properties.color, properties.blank_status, properties.highlight_status};
}

class DisplayProperties : public SessionTest {
  protected:
    void SetUp() override {
        // The punches: one as its part is, one the session colours and
        // highlights, one its component colours and blanks.
        nlohmann::json session = dieSet();
        session["parts"][4]["color"] = 44;
        session["occurrences"] = {
            {{"root", kTopFile}, {"path", {0, 2}}, {"color", 150}, {"highlighted", true}}};
        load(session.dump());
        below = occurrencesOf(partTag(kPunchFile));
        ASSERT_EQ(3u, below.size());
    }

    std::vector<tag_t> below;
};

TEST_F(DisplayProperties, StartAsTheSessionGivesThemAndBelongToEachOccurrence) {
    using D = std::tuple<int, int, int>;
    EXPECT_EQ(D(44, HOST_UNBLANKED, 0), displayOf(below[0]));
    EXPECT_EQ(D(150, HOST_UNBLANKED, 1), displayOf(below[1]));
    EXPECT_EQ(D(100, HOST_BLANKED, 0), displayOf(below[2]));
    EXPECT_EQ(7, std::get<0>(displayOf(UF_ASSEM_ask_root_part_occ(partTag(kTopFile)))));

    ASSERT_EQ(0, UF_OBJ_set_color(below[0], 200));
    ASSERT_EQ(0, UF_OBJ_set_blank_status(below[0], HOST_BLANKED));
    ASSERT_EQ(0, UF_DISP_set_highlight(below[0], 1));
    ASSERT_EQ(0, UF_DISP_set_highlight(below[1], 0));
    ASSERT_EQ(0, UF_OBJ_set_blank_status(below[2], HOST_UNBLANKED));
    EXPECT_EQ(D(200, HOST_BLANKED, 1), displayOf(below[0]));
    EXPECT_EQ(D(150, HOST_UNBLANKED, 0), displayOf(below[1]));
    EXPECT_EQ(D(100, HOST_UNBLANKED, 0), displayOf(below[2]));

    ASSERT_EQ(0, UF_DISP_set_display(0));
    EXPECT_FALSE(state()["runtime"]["display_updates"]);
    ASSERT_EQ(0, UF_DISP_set_display(1));
    EXPECT_TRUE(state()["runtime"]["display_updates"]);
}

TEST_F(DisplayProperties, BadValuesAndNonOccurrencesAreRefused) {
    double values[3] = {-1, -1, -1};
    int index = -1;
    EXPECT_NE(0, UF_DISP_ask_color(0, HOST_COLOR_MODEL_RGB, nullptr, values));
    EXPECT_NE(0, UF_DISP_ask_color(kPaletteSize + 1, HOST_COLOR_MODEL_RGB, nullptr, values));
    EXPECT_NE(0, UF_DISP_ask_color(1, HOST_COLOR_MODEL_RGB + 1, nullptr, values));
    EXPECT_NE(0, UF_DISP_ask_closest_color(HOST_COLOR_MODEL_RGB, values, HOST_CLOSEST_EUCLIDEAN + 1,
                                           &index));
    EXPECT_NE(0, UF_OBJ_set_color(below[0], 0));
    EXPECT_NE(0, UF_OBJ_set_color(below[0], kPaletteSize + 1));
    EXPECT_NE(0, UF_OBJ_set_blank_status(below[0], 2));
    EXPECT_EQ(std::make_tuple(44, HOST_UNBLANKED, 0), displayOf(below[0]));

    const tag_t body = partTag(kPunchFile);
    UF_OBJ_disp_props_t properties;
    EXPECT_NE(0, UF_OBJ_ask_display_properties(body, &properties)) << "a part";
    EXPECT_NE(0, UF_OBJ_set_color(body, 5));
    ASSERT_EQ(0, UF_PART_close(body, 0, 0));
    EXPECT_NE(0, UF_OBJ_ask_display_properties(below[0], &properties)) << "part closed";
}

// The part's status bits and its delay status.
std::pair<int, int> statusOf(tag_t part) {
    int delay = -1;
    EXPECT_EQ(0, UF_WAVE_ask_delay_status(part, &delay));
    return {DUC_ask_part_status(part), delay};
}

using PartStatus = DieSetTest;

TEST_F(PartStatus, FreezeAndDelayShowInBothStatusCalls) {
    const tag_t shoe = partTag(kShoeFile), punch = partTag(kPunchFile), top = partTag(kTopFile);
    using S = std::pair<int, int>;
    const S delayed{HOST_PART_STATUS_DELAYED, HOST_DELAY_DELAYED};
    EXPECT_EQ(S(HOST_PART_STATUS_FROZEN, HOST_DELAY_FROZEN), statusOf(shoe));
    EXPECT_EQ(delayed, statusOf(punch));
    EXPECT_EQ(S(0, HOST_DELAY_NONE), statusOf(top));

    // Freezing a delayed part keeps the delay; frozen is what the delay status tells.
    ASSERT_EQ(0, DUC_freeze_part(punch));
    EXPECT_EQ(S(HOST_PART_STATUS_FROZEN | HOST_PART_STATUS_DELAYED, HOST_DELAY_FROZEN),
              statusOf(punch));
    EXPECT_EQ(S(0, HOST_DELAY_NONE), statusOf(top)) << "only the part itself";
    ASSERT_EQ(0, DUC_unfreeze_part(punch));
    EXPECT_EQ(delayed, statusOf(punch));
    ASSERT_EQ(0, DUC_undelay_part(punch));
    EXPECT_EQ(S(0, HOST_DELAY_NONE), statusOf(punch));

    // Parts not loaded are refused.
    ASSERT_EQ(0, UF_PART_close(shoe, 0, 0));
    int status = -1;
    EXPECT_NE(0, UF_WAVE_ask_delay_status(shoe, &status));
    EXPECT_NE(0, DUC_freeze_part(shoe));
    EXPECT_NE(0, DUC_unfreeze_part(shoe));
    EXPECT_NE(0, DUC_undelay_part(shoe));
    EXPECT_EQ(0, DUC_ask_part_status(shoe));
}

} // namespace
