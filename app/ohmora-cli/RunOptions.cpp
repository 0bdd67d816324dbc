#include "RunOptions.h"

#include "Runner.h"
#include "core/Circuit.h"
#include "core/SwitchZones.h"
#include "core/TimeBase.h"
#include "qtbridge/QtStrings.h"
#include "richtext/RichText.h"
#include "session/ExerciseText.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace ohmora::cli {

namespace {

constexpr int kUntilEndLimit = 10000;
constexpr long kTickLimit = 100000000;
constexpr long kPixelLimit = 32767;

[[noreturn]] void wrong(std::string_view option, const std::string& value,
                        std::string_view expected) {
    throw UsageError{std::string(option) + ' ' + value + " : " + std::string(expected)};
}

long integer(std::string_view option, const std::string& value, std::string_view text, long min,
             long max, std::string_view expected) {
    long n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < min || n > max) {
        wrong(option, value, expected);
    }
    return n;
}

// An output that cannot go to standard output.
void needsFile(std::string_view option, const std::string& value) {
    if (value == "-") {
        wrong(option, value, "cette sortie demande un nom de fichier");
    }
}

void act(Plan& plan, Action action) {
    plan.actions.push_back(std::move(action));
}

// An action on the exercise text area.
void actOnText(Plan& plan, Action action) {
    plan.text = true;
    act(plan, std::move(action));
}

std::string state(session::Session& session) {
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    const ProgramState& program = session.program();
    std::string out = "fich\t" + session.text().fich().toStdString() + '\n';
    out += std::string("corrige\t") + flag(program.corrige) + '\n';
    out += std::string("textemodifie\t") + flag(program.textemodifie) + '\n';
    out += "dossierexo\t" + program.dossierexo + '\n';
    return out;
}

void addMontage(Plan& plan, const std::string& v) {
    const int index =
        int(integer("--montage", v, v, 0, kMontageCount - 1, "le montage est 0, 1 ou 2"));
    act(plan, [index](Runner& r) { r.redraw(r.sim().chooseMontage(index)); });
}

void addParameter(Plan& plan, const std::string& v) {
    const std::string_view expected = "INDICE=TEXTE attendu, INDICE de 0 à 13";
    const auto eq = v.find('=');
    if (eq == std::string::npos) {
        wrong("--param", v, expected);
    }
    const int index = int(
        integer("--param", v, std::string_view(v).substr(0, eq), 0, kParameterCount - 1, expected));
    act(plan, [index, text = v.substr(eq + 1)](Runner& r) {
        Redraw redraw = r.sim().enterParameter(index);
        r.sim().setParameterText(index, text);
        redraw |=
            r.sim().leaveParameter(index, [&r](const std::string& m) { r.err() << m << '\n'; });
        r.redraw(redraw);
    });
}

void addDuration(Plan& plan, const std::string& v) {
    const Duration* d = durationForLabel(v);
    if (!d) {
        wrong("--duration", v, "ce n'est pas l'une des durées (« 1 ms » … « 10 min »)");
    }
    act(plan, [upDown = d->upDown](Runner& r) { r.redraw(r.sim().setUpDown(upDown)); });
}

void addSwitch(Plan& plan, const std::string& v) {
    const int zone = int(integer("--switch", v, v, 0, 2, "la zone de K est 0, 1 ou 2"));
    act(plan, [zone](Runner& r) {
        // A point inside the zone: the pointer moves there, then clicks.
        const Point p = pointOnSwitch(r.sim().state().controls.montage, zone);
        r.sim().mouseMoveSchematic(p.x, p.y);
        r.redraw(r.sim().clickSchematic());
    });
}

void addTicks(Plan& plan, const std::string& v) {
    const long count =
        integer("--ticks", v, v, 0, kTickLimit, "un nombre entier de tops de 0 à 100000000");
    act(plan, [count](Runner& r) {
        for (long n = 0; n < count; ++n) {
            r.tick();
        }
    });
}

// Two pixels of the graph, "X1,X2" or "X,Y".
std::pair<int, int> pixelPair(std::string_view option, const std::string& v,
                              std::string_view expected) {
    const auto comma = v.find(',');
    if (comma == std::string::npos) {
        wrong(option, v, expected);
    }
    const std::string_view text(v);
    return {
        int(integer(option, v, text.substr(0, comma), -kPixelLimit - 1, kPixelLimit, expected)),
        int(integer(option, v, text.substr(comma + 1), -kPixelLimit - 1, kPixelLimit, expected))};
}

void addReadout(Plan& plan, const std::string& v) {
    const auto [x, y] = pixelPair("--readout", v, "X,Y attendu, en pixels du graphe");
    act(plan, [x = x, y = y](Runner& r) {
        const Readout readout = r.sim().mouseMoveGraph(x, y);
        if (readout.visible) {
            r.out() << readout.timeText << '\t' << readout.valueText << '\n';
        } else {
            r.out() << "hidden\n";
        }
    });
}

void addCursors(Plan& plan, const std::string& v) {
    const auto [x1, x2] = pixelPair("--cursors", v, "X1,X2 attendu, en pixels du graphe");
    act(plan, [x1 = x1, x2 = x2](Runner& r) {
        r.redraw(r.sim().moveCursor(0, x1) | r.sim().moveCursor(1, x2));
        r.out() << cursorReadoutLines(r.sim().cursorReadout());
    });
}

void addTau(Plan& plan, const std::string& v) {
    const int k = int(integer("--tau", v, v, 0, kQuantityCount - 1, "la grandeur est 0 à 6"));
    act(plan, [k](Runner& r) {
        const Simulator::MeasureOutcome made = r.sim().constructTau(TauPart::Tangent, k);
        if (!made.construction) {
            r.fail(std::string(made.problem));
            return;
        }
        r.redraw(made.redraw | r.sim().constructTau(TauPart::Level, k).redraw);
        r.out() << "tau\t" << made.construction->tauText << '\n';
    });
}

void addPicture(Plan& plan, std::string_view option, const std::string& v, bool graph, bool svg) {
    needsFile(option, v);
    plan.pictureFiles.push_back(PictureOutput{v, graph, svg, svg ? 1 : plan.pictureScale});
    plan.pictures = true;
}

void addPrint(Plan& plan, const std::string& v) {
    needsFile("--print", v);
    plan.pictures = true;
    act(plan, [v, page = plan.page](Runner& r) { r.keepDocument(v, r.session().pagePdf(page)); });
}

void addPrintText(Plan& plan, const std::string& v) {
    needsFile("--print-text", v);
    actOnText(plan, [v](Runner& r) {
        PrinterChoice target;
        target.pdfFile = qs(v);
        r.session().text().printTextTo(target);
    });
}

// The options in the order the usage lists them.
const RunOption kOptions[] = {
    {"--montage", "0|1|2", "choisir le montage", addMontage},
    {"--param", "INDICE=TEXTE",
     "taper TEXTE dans la case de paramètre INDICE (0 à 13), puis la quitter", addParameter},
    {"--quantity", "K", "cliquer sur la case de grandeur K (0 à 6)",
     [](Plan& p, const std::string& v) {
         const int k = int(integer("--quantity", v, v, 0, kQuantityCount - 1, "la case est 0 à 6"));
         act(p, [k](Runner& r) { r.redraw(r.sim().clickQuantity(k)); });
     }},
    {"--duration", "DURÉE",
     "choisir la durée de l'enregistrement, de «\u00A01 ms\u00A0» à «\u00A010 min\u00A0»",
     addDuration},
    {"--trigger2", "", "cocher «\u00A0Déclencher lorsque l'interrupteur passe en position 2\u00A0»",
     [](Plan& p, const std::string&) {
         act(p, [](Runner& r) { r.redraw(r.sim().setTrigger(true)); });
     }},
    {"--no-trigger2", "", "la décocher",
     [](Plan& p, const std::string&) {
         act(p, [](Runner& r) { r.redraw(r.sim().setTrigger(false)); });
     }},
    {"--sustained", "", "cliquer sur l'option «\u00A0Entretien des oscillations\u00A0»",
     [](Plan& p, const std::string&) {
         act(p, [](Runner& r) { r.redraw(r.sim().clickSustained()); });
     }},
    {"--switch", "P", "cliquer sur la zone P (0, 1 ou 2) de l'interrupteur K", addSwitch},
    {"--ticks", "N", "faire N tops de la minuterie", addTicks},
    {"--until-end", "", "faire des tops jusqu'à la fin de l'enregistrement",
     [](Plan& p, const std::string&) {
         act(p, [](Runner& r) {
             for (int n = 0; n < kUntilEndLimit && r.sim().state().run.enregEnCours; ++n) {
                 r.tick();
             }
         });
     }},
    {"--readout", "X,Y",
     "afficher la lecture du curseur au point (X, Y) du graphe, en pixels : le temps et la "
     "valeur, ou «\u00A0hidden\u00A0» hors des courbes",
     addReadout},
    {"--cursors", "X1,X2",
     "placer les curseurs de mesure aux abscisses X1 et X2 du graphe, en pixels, et afficher "
     "t1, t2 et dt, puis pour chaque grandeur cochée son identifiant, ses valeurs en t1 et en "
     "t2 et leur différence, séparés par des tabulations",
     addCursors},
    {"--tau", "K",
     "construire la tangente à l'origine, l'asymptote et le niveau à 63 % ou 37 % de la "
     "courbe K (0 à 6) du dernier enregistrement et afficher «\u00A0tau\u00A0», une "
     "tabulation et τ tel que le graphe l'écrit",
     addTau},
    {"--open", "FICHIER.P16", "ouvrir une configuration, comme la fenêtre d'ouverture",
     [](Plan& p, const std::string& v) {
         act(p, [v](Runner& r) { r.session().openConfiguration(qs(v)); });
     }},
    {"--save", "FICHIER.P16", "enregistrer la configuration sous ce chemin exact",
     [](Plan& p, const std::string& v) {
         act(p, [v](Runner& r) { r.session().saveConfiguration(qs(v)); });
     }},
    {"--caption", "", "afficher le titre de la fenêtre («\u00A0Ohmora -\u00A0» et le fichier)",
     [](Plan& p, const std::string&) {
         act(p, [](Runner& r) { r.out() << r.session().caption().toStdString() << '\n'; });
     }},
    {"--dir", "DOSSIER",
     "le dossier du programme (exercices, guide) ; par défaut celui que la fenêtre trouve à "
     "partir de l'exécutable",
     [](Plan& p, const std::string& v) {
         if (p.programDirectory) {
             wrong("--dir", v, "le dossier du programme se donne une seule fois");
         }
         p.programDirectory = v;
     }},
    {"--exercise", "FICHIER.E34",
     "ouvrir un exercice (énoncé et configuration), comme la fenêtre des exercices ouvre le "
     "fichier choisi dans sa liste",
     [](Plan& p, const std::string& v) {
         needsFile("--exercise", v);
         actOnText(p, [v](Runner& r) { r.session().text().openExerciseFile(qs(v)); });
     }},
    {"--correction", "", "«\u00A0Voir la correction\u00A0» : la correction et sa configuration",
     [](Plan& p, const std::string&) {
         actOnText(p, [](Runner& r) { r.session().text().viewCorrection(); });
     }},
    {"--guide", "",
     "«\u00A0Prise en main\u00A0» : le guide de première utilisation du dossier du programme "
     "(sans lui, rien)",
     [](Plan& p, const std::string&) {
         actOnText(p, [](Runner& r) { r.session().text().priseEnMain(); });
     }},
    {"--close-exercise", "", "«\u00A0Fermer l'exercice\u00A0» : de nouveau le texte d'accueil",
     [](Plan& p, const std::string&) {
         actOnText(p, [](Runner& r) { r.session().text().closeExercise(); });
     }},
    {"--text", "FICHIER|-", "le texte brut de la zone de texte à ce point (UTF-8)",
     [](Plan& p, const std::string& v) {
         actOnText(p, [v](Runner& r) {
             r.write(v, rtf::plainText(r.session().text().document()).toStdString() + '\n');
         });
     }},
    {"--rtf", "FICHIER", "la zone de texte enregistrée en RTF à ce point",
     [](Plan& p, const std::string& v) {
         needsFile("--rtf", v);
         actOnText(p, [v](Runner& r) {
             r.write(v, rtf::writeRtf(r.session().text().document()).toStdString());
         });
     }},
    {"--state", "", "afficher fich, corrige, textemodifie et dossierexo",
     [](Plan& p, const std::string&) {
         actOnText(p, [](Runner& r) { r.out() << state(r.session()); });
     }},
    {"--print-text", "FICHIER.pdf", "la zone de texte imprimée à ce point, dans un fichier PDF",
     addPrintText},
    {"--table", "FICHIER|-", "le tableau de valeurs, une tabulation entre les cellules",
     [](Plan& p, const std::string& v) { p.tableFile = v; }},
    {"--samples", "FICHIER|-", "les horloges et les valeurs de chaque top",
     [](Plan& p, const std::string& v) { p.samplesFile = v; }},
    {"--csv", "FICHIER|-",
     "les mesures du dernier enregistrement en CSV, une ligne par point tracé (t = 0 compris), "
     "en unités SI, au format donné avant par --csv-format",
     [](Plan& p, const std::string& v) {
         p.csvFiles.push_back(CsvOutput{v, p.csvFormat});
     }},
    {"--csv-format", "fr|intl",
     "le format des --csv qui suivent : fr («\u00A0;\u00A0» et la virgule décimale, par "
     "défaut) ou intl («\u00A0,\u00A0» et le point décimal)",
     [](Plan& p, const std::string& v) {
         if (v != "fr" && v != "intl") {
             wrong("--csv-format", v, "le format est fr ou intl");
         }
         p.csvFormat = v == "fr" ? CsvFormat::French : CsvFormat::International;
     }},
    {"--graph", "FICHIER.png", "l'image du graphe, avec ses constructions",
     [](Plan& p, const std::string& v) { addPicture(p, "--graph", v, true, false); }},
    {"--schematic", "FICHIER.png", "l'image du schéma",
     [](Plan& p, const std::string& v) { addPicture(p, "--schematic", v, false, false); }},
    {"--picture-scale", "1|2|4",
     "l'échelle des --graph et --schematic qui suivent : 1 (par défaut), 2 ou 4 fois plus fine",
     [](Plan& p, const std::string& v) {
         p.pictureScale = int(integer("--picture-scale", v, v, 1, 4, "l'échelle est 1, 2 ou 4"));
         if (p.pictureScale == 3) {
             wrong("--picture-scale", v, "l'échelle est 1, 2 ou 4");
         }
     }},
    {"--graph-svg", "FICHIER.svg", "l'image du graphe en SVG, avec ses constructions",
     [](Plan& p, const std::string& v) { addPicture(p, "--graph-svg", v, true, true); }},
    {"--schematic-svg", "FICHIER.svg", "l'image du schéma en SVG",
     [](Plan& p, const std::string& v) { addPicture(p, "--schematic-svg", v, false, true); }},
    {"--print", "FICHIER.pdf",
     "le document imprimé de l'état à ce point (écrit à la fin avec les autres sorties) : le "
     "titre, le schéma sur fond blanc et le graphe, une page par exemplaire, avec les options "
     "de page données avant lui :",
     addPrint},
    {"--title", "TEXTE",
     "le titre de la page («\u00A0Varlune - Ohmora\u00A0» par défaut ; il peut être vide)",
     [](Plan& p, const std::string& v) { p.page.title = qs(v); }},
    {"--copies", "N", "le nombre d'exemplaires, de 1 à 40 (1 par défaut)",
     [](Plan& p, const std::string& v) {
         p.page.copies =
             int(integer("--copies", v, v, 1, kMaxCopies, "le nombre d'exemplaires est 1 à 40"));
     }},
    {"--no-schematic", "", "la page sans le schéma",
     [](Plan& p, const std::string&) { p.page.schematic = false; }},
    {"--no-graph", "", "la page sans le graphe",
     [](Plan& p, const std::string&) { p.page.graph = false; }},
};

} // namespace

std::span<const RunOption> runOptions() {
    return kOptions;
}

Plan parsePlan(const std::vector<std::string>& args) {
    Plan plan;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        const auto* option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                          [&name](const RunOption& o) { return o.name == name; });
        if (option == std::end(kOptions)) {
            throw UsageError{"argument inconnu : " + name};
        }
        std::string value;
        if (!option->value.empty()) {
            // An empty title is a title: the page's first line stays empty.
            if (i + 1 >= args.size() || (args[i + 1].empty() && name != "--title")) {
                throw UsageError{name + " demande une valeur"};
            }
            value = args[++i];
        }
        option->add(plan, value);
    }
    return plan;
}

} // namespace ohmora::cli
