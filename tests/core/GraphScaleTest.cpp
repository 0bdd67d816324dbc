#include "GraphScale.h"
#include "Simulator.h"

#include <gtest/gtest.h>

using namespace ohmora;

TEST(GraphScale, DefaultChargeScaleIsSixVolts) {
    Simulator sim;
    const GraphFrame& f = sim.state().graph.frame;
    EXPECT_EQ(f.scale.valeurMax, 6.0f);
    EXPECT_EQ(f.scale.echelleY, 6.0f);
    EXPECT_EQ(f.scale.divisions, 6);
    EXPECT_FALSE(f.scale.axeSymetrique);
    EXPECT_EQ(f.scale.yZero, 225);
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(f.verticalSymbol, "u  ");
    EXPECT_EQ(f.verticalUnit, "(V)");
    EXPECT_EQ(f.timeUnit, "(ms)");
    EXPECT_EQ(f.firstTimeIndex, 0);
    EXPECT_EQ(f.timeNumbers, (std::vector<std::string>{"0", "10", "20", "30", "40", "50", "60",
                                                       "70", "80", "90", "100"}));
}

TEST(GraphScale, CurrentScaleIsSymmetricInMilliamperes) {
    Simulator sim;
    sim.clickQuantity(4);
    const GraphFrame& f = sim.state().graph.frame;
    EXPECT_FLOAT_EQ(f.scale.valeurMax, 6.0f / 33.0f);
    EXPECT_FLOAT_EQ(f.scale.echelleY, 0.2f);
    EXPECT_FLOAT_EQ(f.scale.decade, 0.01f);
    EXPECT_EQ(f.scale.divisions, 5);
    EXPECT_TRUE(f.scale.axeSymetrique);
    EXPECT_EQ(f.scale.yZero, 125);
    EXPECT_EQ(f.prefix, "m");
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"40", "80", "120", "160", "200"}));
    EXPECT_EQ(f.verticalSymbol, "i  ");
    EXPECT_EQ(f.verticalUnit, "(mA)");
    EXPECT_EQ(f.firstTimeIndex, 1);
    EXPECT_EQ(f.timeNumbers.size(), 10u);
    EXPECT_EQ(f.timeNumbers.front(), "10");
}

TEST(GraphScale, CapacitorEnergyInMillijoules) {
    Simulator sim;
    sim.clickQuantity(5);
    const GraphFrame& f = sim.state().graph.frame;
    EXPECT_FLOAT_EQ(f.scale.valeurMax, 0.00396f);
    EXPECT_FLOAT_EQ(f.scale.echelleY, 0.004f);
    EXPECT_EQ(f.scale.divisions, 4);
    EXPECT_EQ(f.graduations, (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(f.verticalSymbol, "E  ");
    EXPECT_EQ(f.verticalUnit, "(mJ)");
}

TEST(GraphScale, RoundingOfTheScale) {
    struct Case {
        float valeurMax;
        float echelleY;
        int divisions;
    };
    const Case cases[] = {
        {2.94f, 3.0f, 6}, {2.75f, 2.8f, 7}, {6, 6, 6},           {12, 12, 6},
        {0.5f, 0.5f, 5},  {9.5f, 10, 5},    {1.05f, 1.2f, 6},    {1.3f, 1.4f, 7},
        {2.25f, 2.4f, 6}, {2.6f, 2.7f, 3},  {0.0396f, 0.04f, 4}, {1.0f, 1.0f, 5},
        {7.01f, 8.0f, 4}, {1.91f, 2.0f, 5}, {2.1f, 2.1f, 3},     {2.5f, 2.5f, 5},
    };
    for (const auto& c : cases) {
        GraphScale s;
        roundScale(c.valeurMax, s);
        EXPECT_FLOAT_EQ(s.echelleY, c.echelleY) << c.valeurMax;
        EXPECT_EQ(s.divisions, c.divisions) << c.valeurMax;
        EXPECT_GE(s.echelleY, c.valeurMax * 0.9999f);
    }
}

TEST(GraphScale, ValeurMaxPerMontage) {
    ScaleInputs in;
    in.params = {6, 33, 220, 100, 6, 33, 220, 10, 400, 5, 6, 200, 5, 10};
    float vm = 0;
    bool sym = false;
    in.montage = 0;
    in.ticked[2] = true;
    chooseValeurMax(in, vm, sym);
    EXPECT_EQ(vm, 6.0f);
    EXPECT_TRUE(sym);

    in = ScaleInputs{};
    in.params = {6, 33, 220, 100, 6, 33, 220, 10, 400, 5, 6, 200, 5, 10};
    in.montage = 1;
    in.ticked[4] = true;
    chooseValeurMax(in, vm, sym);
    EXPECT_FLOAT_EQ(vm, 6.0f / 33.0f); // the charging current beats the peak
    EXPECT_TRUE(sym);
    in.ticked[4] = false;
    in.ticked[1] = true;
    in.sustained = true;
    chooseValeurMax(in, vm, sym);
    EXPECT_EQ(vm, 6.0f); // q = peak × 15 stays below U
    in.ticked[1] = false;
    in.ticked[6] = true;
    chooseValeurMax(in, vm, sym);
    EXPECT_FALSE(sym);

    in = ScaleInputs{};
    in.params = {6, 33, 220, 100, 6, 33, 220, 10, 400, 5, 6, 200, 5, 10};
    in.montage = 2;
    in.ticked[6] = true;
    chooseValeurMax(in, vm, sym);
    EXPECT_FLOAT_EQ(vm, 0.5f * 0.2f * 0.4f * 0.4f);
    EXPECT_FALSE(sym);
}

TEST(GraphScale, TimeNumbersFollowTheDuration) {
    Simulator sim;
    sim.setUpDown(8); // 2 min
    const GraphFrame& f = sim.state().graph.frame;
    EXPECT_EQ(f.timeUnit, "(s)");
    EXPECT_EQ(f.timeNumbers, (std::vector<std::string>{"0", "12", "24", "36", "48", "60", "72",
                                                       "84", "96", "108", "120"}));
    for (const auto& d : kDurations) {
        sim.setUpDown(d.upDown);
        for (const auto& text : sim.state().graph.frame.timeNumbers) {
            EXPECT_LE(text.size(), 4u) << d.label << " " << text;
        }
    }
}

TEST(GraphScale, ReadoutTexts) {
    Simulator sim;
    Readout r = sim.mouseMoveGraph(260, 125);
    EXPECT_EQ(sim.state().info, "Paramétrer le graphe depuis l'onglet Graphe");
    EXPECT_TRUE(r.visible);
    EXPECT_EQ(r.timeText, " 50 ms ");
    EXPECT_EQ(r.valueText, " 3,0 V ");
    EXPECT_TRUE(sim.readout(60, 25).visible);
    EXPECT_TRUE(sim.readout(460, 225).visible);
    EXPECT_FALSE(sim.readout(59, 100).visible);
    EXPECT_FALSE(sim.readout(461, 100).visible);
    EXPECT_FALSE(sim.readout(100, 24).visible);
    EXPECT_FALSE(sim.readout(100, 226).visible);
    sim.clickQuantity(4);
    r = sim.readout(260, 175);
    EXPECT_EQ(r.valueText, " -100,0 mA ");
    sim.setUpDown(7);
    r = sim.readout(100, 100);
    EXPECT_EQ(r.timeText, " 6 s ");
}
