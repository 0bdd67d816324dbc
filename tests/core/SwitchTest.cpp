#include "core/Simulator.h"

#include <gtest/gtest.h>

using namespace ohmora;

namespace {

// Moves the pointer to a zone of K and clicks there.
void clickZone(Simulator& sim, int zone) {
    static constexpr int x[] = {120, 105, 133};
    sim.mouseMoveSchematic(x[zone], 20);
    sim.clickSchematic();
}

void ticks(Simulator& sim, int n) {
    for (int k = 0; k < n; ++k) {
        sim.tick();
    }
}

} // namespace

TEST(Switch, StartUpState) {
    Simulator sim;
    const SimState& s = sim.state();
    EXPECT_EQ(s.controls.montage, 0);
    EXPECT_EQ(s.run.position, 0);
    EXPECT_EQ(s.controls.textv[0], "6");
    EXPECT_EQ(s.controls.textv[13], "10");
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(s.controls.check4[k], k == 1) << k;
    }
    EXPECT_FALSE(s.controls.checkRn);
    EXPECT_FALSE(s.controls.check3);
    EXPECT_FALSE(s.run.enregEnCours);
    EXPECT_EQ(s.controls.upDown, -2);
    EXPECT_EQ(s.run.durationLabel, "100 ms");
    EXPECT_EQ(s.run.dureeEnreg, 0.1f);
    EXPECT_EQ(s.run.ucInit, 0.0f);
    EXPECT_EQ(s.run.tBascule, 0.0f);
    EXPECT_EQ(s.info, std::string(kDefaultInfo));
}

TEST(Switch, HitTestZonesTooltipsAndHelpLine) {
    Simulator sim;
    struct Case {
        int x, y;
        bool hand;
        int cible;
        const char* tooltip;
    };
    const Case cases[] = {
        {101, 0, true, 1, "Basculer K en position 1"},
        {114, 39, true, 1, "Basculer K en position 1"},
        {115, 10, true, 0, "Basculer K en position 0"},
        {125, 10, true, 0, "Basculer K en position 0"},
        {126, 10, true, 2, "Basculer K en position 2"},
        {139, 10, true, 2, "Basculer K en position 2"},
        {100, 10, false, -1, ""},
        {140, 10, false, -1, ""},
        {120, 40, false, -1, ""},
    };
    for (const auto& c : cases) {
        sim.mouseMoveSchematic(c.x, c.y);
        const SimState& s = sim.state();
        EXPECT_EQ(s.hover.pointer == Pointer::Hand, c.hand) << c.x << "," << c.y;
        EXPECT_EQ(s.hover.tooltip, c.tooltip) << c.x << "," << c.y;
        if (c.hand) {
            EXPECT_EQ(s.hover.cibleK, c.cible);
            EXPECT_EQ(s.info, "Utiliser la souris pour basculer l'interrupteur");
        } else {
            EXPECT_EQ(s.info, "Choisir un montage dans la liste de l'onglet Montage");
        }
    }
    sim.chooseMontage(2);
    sim.mouseMoveSchematic(106, 3);
    EXPECT_EQ(sim.state().hover.tooltip, "Fermer l'interrupteur");
    sim.clickSchematic();
    sim.mouseMoveSchematic(134, 31);
    EXPECT_EQ(sim.state().hover.tooltip, "Ouvrir l'interrupteur");
    sim.mouseMoveSchematic(105, 20);
    EXPECT_EQ(sim.state().hover.pointer, Pointer::Arrow);
    sim.mouseMoveSchematic(120, 32);
    EXPECT_EQ(sim.state().hover.pointer, Pointer::Arrow);
}

TEST(Switch, ClickOutsideTheZoneDoesNothing) {
    Simulator sim;
    sim.mouseMoveSchematic(105, 20);
    sim.mouseMoveSchematic(141, 20); // pointer back to the arrow, cibleK still 1
    EXPECT_EQ(sim.clickSchematic(), RedrawNone);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
}

TEST(Switch, Montage0ChargeRecordsAndDischargeStartsFromTheVoltageReached) {
    Simulator sim;
    clickZone(sim, 1);
    EXPECT_EQ(sim.state().run.position, 1);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.ucInit, 0.0f);
    ticks(sim, 10);
    const float reached = sim.state().run.valeurs[1];
    EXPECT_GT(reached, 0.0f);
    const float tEnreg = sim.state().run.tEnreg;
    clickZone(sim, 2);
    EXPECT_EQ(sim.state().run.position, 2);
    EXPECT_EQ(sim.state().run.ucInit, reached);
    EXPECT_EQ(sim.state().run.tBascule, 0.0f);
    EXPECT_TRUE(sim.state().run.enregEnCours); // the recording goes on
    EXPECT_EQ(sim.state().run.tEnreg, tEnreg);
    sim.tick();
    EXPECT_EQ(sim.state().run.valeurs[1], reached);
    EXPECT_EQ(sim.state().run.valeurs[2], -reached);
}

TEST(Switch, ClickingTheCurrentPositionChangesNothing) {
    Simulator sim;
    clickZone(sim, 1);
    ticks(sim, 5);
    const float t = sim.state().run.tBascule;
    const float u0 = sim.state().run.ucInit;
    EXPECT_EQ(sim.mouseMoveSchematic(105, 20), RedrawNone);
    EXPECT_EQ(sim.clickSchematic(), RedrawNone);
    EXPECT_EQ(sim.state().run.tBascule, t);
    EXPECT_EQ(sim.state().run.ucInit, u0);
}

TEST(Switch, Montage1LeavingPositionTwoAlwaysOpens) {
    Simulator sim;
    sim.chooseMontage(1);
    EXPECT_TRUE(sim.state().controls.check3);
    clickZone(sim, 1);
    EXPECT_FALSE(sim.state().run.enregEnCours); // trigger on position 2 in montage 1
    ticks(sim, 50);
    clickZone(sim, 2);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    EXPECT_NEAR(sim.state().run.ucInit, 6.0, 1e-4);
    ticks(sim, 3);
    clickZone(sim, 1);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
}

TEST(Switch, Montage0PauseKeepsTheRecording) {
    Simulator sim;
    clickZone(sim, 1);
    ticks(sim, 4);
    clickZone(sim, 0);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    ticks(sim, 4);
    const float tEnreg = sim.state().run.tEnreg;
    clickZone(sim, 1);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.tEnreg, tEnreg);
}

TEST(Switch, TriggerOptionRecordsFromPositionTwo) {
    Simulator sim;
    sim.setTrigger(true);
    clickZone(sim, 1);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    clickZone(sim, 2);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.tEnreg, 0.0f);
}

TEST(Switch, Montage2TogglesAndOpeningStopsTheRecording) {
    Simulator sim;
    sim.chooseMontage(2);
    EXPECT_FALSE(sim.state().controls.check3);
    sim.mouseMoveSchematic(120, 15);
    sim.clickSchematic();
    EXPECT_EQ(sim.state().run.position, 1);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    ticks(sim, 3);
    sim.clickSchematic();
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    sim.tick();
    EXPECT_EQ(sim.state().run.valeurs[4], 0.0f); // the coil keeps no memory
}

TEST(Switch, QuantityGroupsNeverShareTheGraph) {
    Simulator sim;
    sim.chooseMontage(1);
    sim.clickQuantity(0);
    sim.clickQuantity(2);
    EXPECT_TRUE(sim.state().controls.check4[0] && sim.state().controls.check4[1] &&
                sim.state().controls.check4[2]);
    sim.clickQuantity(4);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(sim.state().controls.check4[k], k == 4) << k;
    }
    sim.clickQuantity(5);
    sim.clickQuantity(6);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(sim.state().controls.check4[k], k == 5 || k == 6) << k;
    }
    sim.clickQuantity(3);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(sim.state().controls.check4[k], k == 3) << k;
    }
    sim.clickQuantity(3); // unticking clears nothing else
    for (int k = 0; k < 7; ++k) {
        EXPECT_FALSE(sim.state().controls.check4[k]) << k;
    }
}

TEST(Switch, QuantityClickErasesTheRun) {
    Simulator sim;
    clickZone(sim, 1);
    ticks(sim, 5);
    const Redraw r = sim.clickQuantity(0);
    EXPECT_TRUE(r & RedrawSchematic);
    EXPECT_TRUE(r & RedrawGraphFrame);
    EXPECT_TRUE(r & RedrawTableHeader);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.ucInit, 0.0f);
}

TEST(Switch, MontageChangeResetsAndKeepsEachMontagesValues) {
    Simulator sim;
    sim.chooseMontage(1);
    sim.clickQuantity(3);
    sim.clickQuantity(6);
    sim.setParameterText(8, "220");
    sim.chooseMontage(2);
    EXPECT_FALSE(sim.state().controls.check4[3]);
    EXPECT_TRUE(sim.state().controls.check4[6]);
    sim.chooseMontage(0);
    EXPECT_FALSE(sim.state().controls.check4[6]);
    EXPECT_EQ(sim.state().graph.frame.graduations.size(),
              size_t(sim.state().graph.frame.scale.divisions));
    sim.chooseMontage(1);
    EXPECT_EQ(sim.state().controls.textv[8], "220");
    EXPECT_EQ(sim.state().table.columnCount(), 8);
}

TEST(Switch, SustainedClickOpensKWithoutStoppingTheRecording) {
    Simulator sim;
    sim.chooseMontage(1);
    sim.setTrigger(false);
    clickZone(sim, 1);
    ticks(sim, 3);
    const Redraw r = sim.clickSustained();
    EXPECT_TRUE(sim.state().controls.checkRn);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_EQ(sim.state().run.ucInit, 0.0f);
    EXPECT_TRUE(sim.state().run.enregEnCours);
    EXPECT_FALSE(r & RedrawGraphFrame);
}

TEST(Switch, OtherResetsOpenK) {
    Simulator sim;
    clickZone(sim, 1);
    ticks(sim, 3);
    sim.setColour(1, Rgb{1, 2, 3});
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().controls.colours[1], (Rgb{1, 2, 3}));

    clickZone(sim, 1);
    ticks(sim, 3);
    sim.setUpDown(3);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.tEnreg, 0.0f);
    EXPECT_EQ(sim.state().run.durationLabel, "5 s");
    sim.setUpDown(11); // outside the list: duration unchanged
    EXPECT_EQ(sim.state().run.durationLabel, "5 s");

    clickZone(sim, 1);
    ticks(sim, 3);
    sim.enterParameter(2);
    EXPECT_EQ(sim.state().run.position, 0);
    EXPECT_FALSE(sim.state().run.enregEnCours);
    EXPECT_EQ(sim.state().run.ucInit, 0.0f);
}
