// Colour table, display state of occurrences, freeze and delay status.
#include "session_fixture.h"

#include <array>
#include <random>
#include <vector>

using namespace hostsim_test;

namespace {

// The palette's layout (hostsim/README.md): a 6 x 6 x 6 cube, then greys.
constexpr int kPaletteSize = 240;
constexpr int kCubeSize = 216;

using Rgb = std::array<double, 3>;

// Every palette entry as the host reports it; entry 0 is unused.
std::vector<Rgb> paletteColors() {
    std::vector<Rgb> colors(kPaletteSize + 1);
    for (int index = 1; index <= kPaletteSize; ++index) {
        char name[HOST_COLOR_NAME_BUFSIZE];
        EXPECT_EQ(0, UF_DISP_ask_color(index, HOST_COLOR_MODEL_RGB, name, colors[index].data()))
            << index;
    }
    return colors;
}

double squaredDistance(const Rgb& a, const Rgb& b) {
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (a[i] - b[i]) * (a[i] - b[i]);
    return sum;
}

// The lowest index among the entries nearest to the colour.
int nearestByBruteForce(const std::vector<Rgb>& colors, const Rgb& color) {
    int best = 1;
    for (int index = 2; index <= kPaletteSize; ++index) {
        if (squaredDistance(colors[index], color) < squaredDistance(colors[best], color))
            best = index;
    }
    return best;
}

int closest(const Rgb& color) {
    int index = -1;
    EXPECT_EQ(0, UF_DISP_ask_closest_color(HOST_COLOR_MODEL_RGB, color.data(),
                                           HOST_CLOSEST_EUCLIDEAN, &index));
    return index;
}

class Palette : public SessionTest {
  protected:
    void SetUp() override { load("{}"); }
};

TEST_F(Palette, EveryEntryMapsBackToItselfOrAnEarlierEqualEntry) {
    const std::vector<Rgb> colors = paletteColors();
    for (int index = 1; index <= kCubeSize; ++index)
        EXPECT_EQ(index, closest(colors[index])) << index;
    // Greys that the cube holds already give the cube's index.
    for (int index = kCubeSize + 1; index <= kPaletteSize; ++index) {
        int first = 1;
        while (colors[first] != colors[index])
            ++first;
        EXPECT_EQ(first, closest(colors[index])) << index;
    }
}

TEST_F(Palette, AnyColourMapsToTheNearestEntry) {
    const std::vector<Rgb> colors = paletteColors();
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> level(-0.1, 1.1);
    for (int i = 0; i < 3000; ++i) {
        const Rgb color = {level(random), level(random), level(random)};
        ASSERT_EQ(nearestByBruteForce(colors, color), closest(color))
            << color[0] << ", " << color[1] << ", " << color[2];
    }
}

TEST_F(Palette, TiesGoToTheLowestIndex) {
    // Half-way between two entries of the cube that differ in one channel.
    const std::vector<Rgb> colors = paletteColors();
    int ties = 0;
    for (int index = 1; index <= kCubeSize; ++index) {
        for (int step : {1, 6, 36}) {
            if (index + step > kCubeSize)
                continue;
            Rgb middle;
            for (int c = 0; c < 3; ++c)
                middle[c] = (colors[index][c] + colors[index + step][c]) / 2;
            const int expected = nearestByBruteForce(colors, middle);
            const double best = squaredDistance(colors[expected], middle);
            int atBest = 0;
            for (int other = 1; other <= kPaletteSize; ++other)
                atBest += squaredDistance(colors[other], middle) == best;
            if (atBest < 2)
                continue;
            ++ties;
            EXPECT_EQ(expected, closest(middle)) << index << " + " << step;
        }
    }
    EXPECT_GT(ties, 0) << "no tie was met";
}

TEST_F(Palette, IndicesOutsideThePaletteAndOtherModelsAreRefused) {
    double values[3] = {-1, -1, -1};
    EXPECT_NE(0, UF_DISP_ask_color(0, HOST_COLOR_MODEL_RGB, nullptr, values));
    EXPECT_NE(0, UF_DISP_ask_color(kPaletteSize + 1, HOST_COLOR_MODEL_RGB, nullptr, values));
    EXPECT_EQ(0, UF_DISP_ask_color(kPaletteSize, HOST_COLOR_MODEL_RGB, nullptr, values));
    EXPECT_EQ(0, UF_DISP_ask_color(1, HOST_COLOR_MODEL_RGB, nullptr, values));
    EXPECT_NE(0, UF_DISP_ask_color(1, HOST_COLOR_MODEL_RGB + 1, nullptr, values));
    int index = -1;
    EXPECT_NE(0, UF_DISP_ask_closest_color(HOST_COLOR_MODEL_RGB, values, HOST_CLOSEST_EUCLIDEAN + 1,
                                           &index));
}

// Two occurrences of one part, one coloured and blanked by its component,
// and a lamp whose display state the session sets.
const char* kLamps = R"({"parts": [
    {"file": "top.prt", "color": 7,
     "components": [{"part": "body.prt"}, {"part": "body.prt", "color": 100, "blanked": true},
                    {"part": "lamp.prt"}]},
    {"file": "body.prt", "color": 44},
    {"file": "lamp.prt", "color": 12}],
  "display_part": "top.prt",
  "occurrences": [{"root": "top.prt", "path": [2], "color": 150, "highlighted": true}]})";

UF_OBJ_disp_props_t propertiesOf(tag_t occurrence) {
    UF_OBJ_disp_props_t properties{};
    EXPECT_EQ(0, UF_OBJ_ask_display_properties(occurrence, &properties));
    return properties;
}

class DisplayProperties : public SessionTest {
  protected:
    void SetUp() override {
        load(kLamps);
        below = childrenOf(UF_ASSEM_ask_root_part_occ(partTag("top.prt")));
        ASSERT_EQ(3u, below.size());
    }

    std::vector<tag_t> below;
};

TEST_F(DisplayProperties, StartAsTheSessionGivesThem) {
    EXPECT_EQ(44, propertiesOf(below[0]).color);
    EXPECT_EQ(HOST_UNBLANKED, propertiesOf(below[0]).blank_status);
    EXPECT_EQ(100, propertiesOf(below[1]).color);
    EXPECT_EQ(HOST_BLANKED, propertiesOf(below[1]).blank_status);
    EXPECT_EQ(150, propertiesOf(below[2]).color);
    EXPECT_TRUE(propertiesOf(below[2]).highlight_status);
    EXPECT_FALSE(propertiesOf(below[0]).highlight_status);
    EXPECT_EQ(7, propertiesOf(UF_ASSEM_ask_root_part_occ(partTag("top.prt"))).color);
}

TEST_F(DisplayProperties, BelongToEachOccurrence) {
    ASSERT_EQ(0, UF_OBJ_set_color(below[0], 200));
    ASSERT_EQ(0, UF_OBJ_set_blank_status(below[0], HOST_BLANKED));
    ASSERT_EQ(0, UF_DISP_set_highlight(below[0], 1));
    ASSERT_EQ(0, UF_OBJ_set_blank_status(below[1], HOST_UNBLANKED));
    EXPECT_EQ(200, propertiesOf(below[0]).color);
    EXPECT_EQ(HOST_BLANKED, propertiesOf(below[0]).blank_status);
    EXPECT_TRUE(propertiesOf(below[0]).highlight_status);
    EXPECT_EQ(100, propertiesOf(below[1]).color);
    EXPECT_EQ(HOST_UNBLANKED, propertiesOf(below[1]).blank_status);
    EXPECT_FALSE(propertiesOf(below[1]).highlight_status);

    ASSERT_EQ(0, UF_DISP_set_highlight(below[2], 0));
    EXPECT_FALSE(propertiesOf(below[2]).highlight_status);
    EXPECT_EQ(150, propertiesOf(below[2]).color);
}

TEST_F(DisplayProperties, BadValuesAndNonOccurrencesAreRefused) {
    EXPECT_NE(0, UF_OBJ_set_color(below[0], 0));
    EXPECT_NE(0, UF_OBJ_set_color(below[0], kPaletteSize + 1));
    EXPECT_NE(0, UF_OBJ_set_blank_status(below[0], 2));
    EXPECT_EQ(44, propertiesOf(below[0]).color);
    EXPECT_EQ(HOST_UNBLANKED, propertiesOf(below[0]).blank_status);

    const tag_t body = partTag("body.prt");
    UF_OBJ_disp_props_t properties;
    EXPECT_NE(0, UF_OBJ_ask_display_properties(body, &properties)) << "a part";
    EXPECT_NE(0, UF_OBJ_set_color(body, 5));
    ASSERT_EQ(0, UF_PART_close(body, 0, 0));
    EXPECT_NE(0, UF_OBJ_ask_display_properties(below[0], &properties)) << "part closed";
}

class PartStatus : public SessionTest {
  protected:
    void SetUp() override { load(kDieSet); }
};

int delayStatus(tag_t part) {
    int status = -1;
    EXPECT_EQ(0, UF_WAVE_ask_delay_status(part, &status));
    return status;
}

TEST_F(PartStatus, FreezeAndDelayShowInBothStatusCalls) {
    const tag_t shoe = partTag(kShoeFile), punch = partTag(kPunchFile), top = partTag(kTopFile);
    EXPECT_EQ(HOST_PART_STATUS_FROZEN, DUC_ask_part_status(shoe));
    EXPECT_EQ(HOST_DELAY_FROZEN, delayStatus(shoe));
    EXPECT_EQ(HOST_PART_STATUS_DELAYED, DUC_ask_part_status(punch));
    EXPECT_EQ(HOST_DELAY_DELAYED, delayStatus(punch));
    EXPECT_EQ(0, DUC_ask_part_status(top));
    EXPECT_EQ(HOST_DELAY_NONE, delayStatus(top));

    // Freezing a delayed part keeps the delay; frozen is what the delay status tells.
    ASSERT_EQ(0, DUC_freeze_part(punch));
    EXPECT_EQ(HOST_PART_STATUS_FROZEN | HOST_PART_STATUS_DELAYED, DUC_ask_part_status(punch));
    EXPECT_EQ(HOST_DELAY_FROZEN, delayStatus(punch));
    EXPECT_EQ(0, DUC_ask_part_status(top)) << "only the part itself";
    ASSERT_EQ(0, DUC_unfreeze_part(punch));
    EXPECT_EQ(HOST_PART_STATUS_DELAYED, DUC_ask_part_status(punch));
    EXPECT_EQ(HOST_DELAY_DELAYED, delayStatus(punch));
    ASSERT_EQ(0, DUC_undelay_part(punch));
    EXPECT_EQ(0, DUC_ask_part_status(punch));
    EXPECT_EQ(HOST_DELAY_NONE, delayStatus(punch));

    ASSERT_EQ(0, DUC_unfreeze_part(shoe));
    EXPECT_EQ(0, DUC_ask_part_status(shoe));
    EXPECT_EQ(HOST_DELAY_NONE, delayStatus(shoe));
}

TEST_F(PartStatus, PartsNotLoadedAreRefused) {
    const tag_t shoe = partTag(kShoeFile);
    ASSERT_EQ(0, UF_PART_close(shoe, 0, 0));
    int status = -1;
    EXPECT_NE(0, UF_WAVE_ask_delay_status(shoe, &status));
    EXPECT_NE(0, DUC_freeze_part(shoe));
    EXPECT_NE(0, DUC_undelay_part(shoe));
    EXPECT_EQ(0, DUC_ask_part_status(shoe));
}

} // namespace
