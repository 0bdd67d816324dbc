// An exercise made from the program: the names its files get from its
// title, and what stops it from being written.

#include "exercises/NewExercise.h"

#include <gtest/gtest.h>

using namespace ohmora::exercises;

TEST(NewExercise, TheNameComesFromTheTitle) {
    const struct {
        const char* title;
        const char* name;
    } cases[] = {
        {"Constante de temps d'un dipôle RC", "constante-de-temps-d-un-dipole-rc"},
        {"  Énergie : ½·C·U² ! ", "energie-c-u"},
        {"Œuvre, ÇA, Straße & Ÿ", "oeuvre-ca-strasse-y"},
        {"τ = RC (2ᵉ essai)", "rc-2-essai"},
        {"", "exercice"},
        {"τ", "exercice"},
        {"Charge d'un condensateur à travers un conducteur ohmique de 470 ohms",
         "charge-d-un-condensateur-a-travers-un-conducteur"}, // cut after a whole word
        {"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz",
         "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuv"}, // no word to cut after
        {"\xff\xfe bad \xc3", "bad"},                         // not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exerciseBaseName(c.title), c.name) << c.title;
        EXPECT_LE(exerciseBaseName(c.title).size(), 48u) << c.title;
    }
}

TEST(NewExercise, PartsAreNamedBesideTheExerciseFile) {
    NewExercise e;
    CompanionNames names = companionNames("tp-rc", e);
    EXPECT_EQ(names.statement, "tp-rc-enonce.rtf");
    EXPECT_EQ(names.configuration, "tp-rc-enonce.P16");
    EXPECT_EQ(names.correction, ""); // none by default
    EXPECT_EQ(names.correctionConfiguration, "");
    e.configuration = {};
    e.correction = {PartSource::File, "/tmp/c.rtf"};
    e.correctionConfiguration = {PartSource::Program, {}};
    names = companionNames("tp-rc", e);
    EXPECT_EQ(names.configuration, "");
    EXPECT_EQ(names.correction, "tp-rc-corrige.rtf");
    EXPECT_EQ(names.correctionConfiguration, "tp-rc-corrige.P16");

    const ExerciseRecords r = newExerciseRecords(e, names);
    EXPECT_TRUE(isCorrected(r));
    EXPECT_EQ(r.configuration, "");
    e.correction = {};
    e.correctionConfiguration = {};
    EXPECT_FALSE(isCorrected(newExerciseRecords(e, companionNames("tp-rc", e))));
}

TEST(NewExercise, WhatCannotBeWrittenIsSaid) {
    const struct {
        const char* name;
        void (*change)(NewExercise&);
        const char* said; // a piece of the message; nullptr: no problem
    } cases[] = {
        {"a complete exercise", [](NewExercise&) {}, nullptr},
        {"no title", [](NewExercise& e) { e.title = "   "; }, "titre"},
        {"a title on two lines", [](NewExercise& e) { e.title = "a\nb"; }, "une ligne"},
        {"a Greek letter in the title", [](NewExercise& e) { e.title = "τ = RC"; },
         "lettres latines"},
        {"a title too long", [](NewExercise& e) { e.title = std::string(127, 'a'); }, "126"},
        {"a longest title", [](NewExercise& e) { e.title = std::string(126, 'a'); }, nullptr},
        {"an omega in the topics", [](NewExercise& e) { e.topics = "R en Ω"; }, "notions"},
        {"topics too long", [](NewExercise& e) { e.topics = std::string(505, 'a'); }, "504"},
        {"longest topics", [](NewExercise& e) { e.topics = std::string(504, 'a'); }, nullptr},
        {"difficulty 4", [](NewExercise& e) { e.difficulty = 4; }, "0 à 3"},
        {"difficulty -1", [](NewExercise& e) { e.difficulty = -1; }, "0 à 3"},
        {"no statement", [](NewExercise& e) { e.statement = {}; }, "énoncé"},
    };
    for (const auto& c : cases) {
        NewExercise e;
        e.title = "Constante de temps";
        e.topics = "Programme de terminale";
        c.change(e);
        const auto problem = newExerciseProblem(e, companionNames("x", e));
        if (!c.said) {
            EXPECT_FALSE(problem) << c.name << ": " << *problem;
            EXPECT_TRUE(exerciseFileBytes(newExerciseRecords(e, companionNames("x", e)))) << c.name;
        } else {
            ASSERT_TRUE(problem) << c.name;
            EXPECT_NE(problem->find(c.said), std::string::npos) << c.name << ": " << *problem;
        }
    }
    // A name that no record can hold.
    NewExercise e;
    e.title = "Constante de temps";
    EXPECT_TRUE(newExerciseProblem(e, companionNames(std::string(120, 'n'), e)));
    EXPECT_TRUE(newExerciseProblem(e, companionNames("τ", e)));
}
