#include "window/Validation.h"
#include "core/Simulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace ohmora;

namespace {

struct Entry {
    std::string text;
    std::vector<std::string> messages;
    Redraw redraw;
};

// Enters box i, types `typed` in place of its text and leaves it.
Entry type(Simulator& sim, int i, const std::string& typed) {
    Entry e;
    sim.enterParameter(i);
    sim.setParameterText(i, typed);
    e.redraw = sim.leaveParameter(i, [&](const std::string& m) { e.messages.push_back(m); });
    e.text = sim.state().controls.textv[i];
    return e;
}

const std::string kUMax = "U ne doit pas dépasser 12 V avec le simulateur.";
const std::string kUMin = "U ne doit pas être inférieure à 0,5 V avec le simulateur.";
const std::string kBranch =
    "La résistance de cette branche ne doit pas être inférieure à 5 ohms avec le simulateur.";

} // namespace

TEST(Validation, KeyFilter) {
    EXPECT_EQ(filterParameterKey('.'), ',');
    EXPECT_EQ(filterParameterKey(','), ',');
    EXPECT_EQ(filterParameterKey('7'), '7');
    EXPECT_EQ(filterParameterKey(8), 8);
    EXPECT_EQ(filterParameterKey(13), 13);
    for (char c : {'-', '+', 'a', 'E', ' ', 'e'}) {
        EXPECT_EQ(filterParameterKey(c), 0) << c;
    }
}

TEST(Validation, StatedCases) {
    struct Case {
        int box;
        const char* typed;
        const char* result;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {0, "12,04", "12", {}},
        {0, "0,496", "0,5", {}},
        {0, "0,46", "0,5", {kUMin}},
        {0, "12,5", "12", {kUMax}},
        {0, "", "0,5", {kUMin}},
        {1, "1234", "1 200", {}},
        {1,
         "2000000",
         "1 000 000",
         {"La résistance de ce conducteur ohmique ne doit pas dépasser 1 000 000 ohms avec le "
          "simulateur."}},
        {1,
         "4",
         "5",
         {"La résistance de ce conducteur ohmique ne doit pas être inférieure à 5 ohms avec le "
          "simulateur."}},
        {2,
         "0",
         "0,001",
         {"La capacité de ce condensateur ne doit pas être inférieure à 1 nF (0,001 µF) avec le "
          "simulateur."}},
        {2, "4,7", "4,7", {}},
        {2,
         "1,2,3",
         "0,001",
         {"La capacité de ce condensateur ne doit pas être inférieure à 1 nF "
          "(0,001 µF) avec le simulateur."}},
        {8,
         "2000",
         "1 000",
         {"L'inductance de la bobine ne doit pas dépasser 1 H (1 000 mH) avec "
          "le simulateur."}},
        {9,
         "150",
         "100",
         {"La résistance de cette bobine ne doit pas dépasser 100 ohms avec le "
          "simulateur."}},
        {7, "0", "0", {}}, // r = 5 completes the branch
        {3, "1 000 000", "1 000 000", {}},
    };
    for (const auto& c : cases) {
        Simulator sim;
        Entry e = type(sim, c.box, c.typed);
        EXPECT_EQ(e.text, c.result) << c.box << " " << c.typed;
        EXPECT_EQ(e.messages, c.messages) << c.box << " " << c.typed;
    }
}

TEST(Validation, PartnerBoxesShareTheBranchMinimum) {
    Simulator sim;
    type(sim, 9, "4,7");
    Entry e = type(sim, 7, "0");
    EXPECT_EQ(e.text, "0,3000002");
    EXPECT_EQ(e.messages, std::vector<std::string>{kBranch});
    // Passing through the corrected box again reports nothing.
    e = type(sim, 7, e.text);
    EXPECT_EQ(e.text, "0,3");
    EXPECT_TRUE(e.messages.empty());
    // Montage 2: r and R.
    e = type(sim, 13, "0");
    EXPECT_EQ(e.text, "0");
    EXPECT_TRUE(e.messages.empty());
    e = type(sim, 12, "1");
    EXPECT_EQ(e.text, "5");
    EXPECT_EQ(e.messages, std::vector<std::string>{kBranch});
}

TEST(Validation, UnreadablePartnerCountsAsZero) {
    Simulator sim;
    sim.setParameterText(9, "abc"); // only a configuration file brings this
    Entry e = type(sim, 7, "3");
    EXPECT_EQ(e.text, "5");
    EXPECT_EQ(e.messages, std::vector<std::string>{kBranch});
}

// A sign or a blank that does not group thousands makes the text
// unreadable: it is tested as a typed 0, never used as written.
TEST(Validation, MalformedTextsAreTestedAsZero) {
    const std::string kRMin = "La résistance de ce conducteur ohmique ne doit pas être "
                              "inférieure à 5 ohms avec le simulateur.";
    struct Case {
        const char* name;
        int box;
        const char* typed;
        const char* partnerText; // of box 9 when testing box 7
        const char* result;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"minus sign in a voltage box", 0, "-3", nullptr, "0,5", {kUMin}},
        {"plus sign", 0, "+6", nullptr, "0,5", {kUMin}},
        {"blank inside digits", 1, "1 2", nullptr, "5", {kRMin}},
        {"group of two after a blank", 1, "1 00", nullptr, "5", {kRMin}},
        {"negative branch with a large partner", 7, "-80", "50", "0", {}},
        {"negative branch with a small partner", 7, "-3", "2", "3", {kBranch}},
    };
    for (const Case& c : cases) {
        Simulator sim;
        if (c.partnerText) {
            sim.setParameterText(9, c.partnerText);
        }
        const Entry e = type(sim, c.box, c.typed);
        EXPECT_EQ(e.text, c.result) << c.name;
        EXPECT_EQ(e.messages, c.messages) << c.name;
    }
}

TEST(Validation, LeavingResetsTheRunAndOnlyVoltagesRedrawTheGraph) {
    Simulator sim;
    sim.mouseMoveSchematic(105, 20);
    sim.clickSchematic();
    sim.tick();
    sim.tick();
    Entry e = type(sim, 1, "47");
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.ucInit, 0.0f);
    EXPECT_EQ(sim.state().run.tBascule, 0.0f);
    EXPECT_FALSE(e.redraw & RedrawGraphFrame);
    EXPECT_EQ(sim.state().graph.frame.scale.echelleY, 6.0f);
    e = type(sim, 0, "9");
    EXPECT_TRUE(e.redraw & RedrawGraphFrame);
    EXPECT_EQ(sim.state().graph.frame.scale.echelleY, 9.0f);
    // Validating again a value in range shows nothing.
    e = type(sim, 0, sim.state().controls.textv[0]);
    EXPECT_TRUE(e.messages.empty());
}

TEST(Validation, OutOfRangeTextsFromAFileAreUsedAtTheNearestLimit) {
    Simulator sim;
    sim.setParameterText(1, "0");
    sim.setParameterText(2, "");
    EXPECT_EQ(sim.parameter(1), 5.0f);
    EXPECT_EQ(sim.parameter(2), 0.001f);
    sim.chooseMontage(2);
    sim.setParameterText(12, "0");
    sim.setParameterText(13, "0");
    EXPECT_EQ(sim.parameter(12) + sim.parameter(13), 5.0f);
    sim.mouseMoveSchematic(120, 15);
    sim.clickSchematic();
    // Every slot of every tick finite: the rows that are not, by name.
    std::vector<std::string> notFinite;
    for (int tick = 1; tick <= 50; ++tick) {
        sim.tick();
        const Valeurs& valeurs = sim.state().run.valeurs;
        for (size_t slot = 0; slot < valeurs.size(); ++slot) {
            if (!std::isfinite(valeurs[slot])) {
                notFinite.push_back("tick " + std::to_string(tick) + ", valeurs[" +
                                    std::to_string(slot) + "] = " + std::to_string(valeurs[slot]));
            }
        }
    }
    EXPECT_EQ(notFinite, std::vector<std::string>{});
    sim.chooseMontage(1);
    sim.setParameterText(7, "-3");
    sim.setParameterText(9, "1000");
    EXPECT_EQ(sim.parameter(7), 0.0f);
    EXPECT_EQ(sim.parameter(9), 100.0f);
}
