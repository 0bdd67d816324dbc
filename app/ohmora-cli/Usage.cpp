#include "Usage.h"

namespace ohmora::cli {

std::string usageText() {
    return R"(usage: ohmora-cli run [ACTION...] [OUTPUT...]
       ohmora-cli calc EXPR [--radians] [--scientific]
       ohmora-cli rtf FILE --text | --rewrite OUT.rtf
       ohmora-cli exercise FILE.E34
       ohmora-cli --help

run: the simulator without a window. The actions are applied in the order
given, through the window's own handlers; the outputs are written at the
end, each completely or not at all ("-" is standard output).
  --montage 0|1|2       choose the montage
  --param INDEX=TEXT    type TEXT into parameter box INDEX (0 to 13) and leave it
  --quantity K          click quantity box K (0 to 6)
  --duration LABEL      choose the recording duration ("1 ms" ... "10 min")
  --trigger2            tick "start the recording at position 2"
  --no-trigger2         untick it
  --sustained           click the sustained-oscillations option
  --switch P            click zone P (0, 1 or 2) of switch K
  --ticks N             run N ticks of the timer
  --until-end           run ticks until the recording ends
  --readout X,Y         print the cursor readout at (X, Y) on the graph
  --open FILE.P16       open a configuration, as the open dialog does
  --save FILE.P16       save the configuration to that very path
  --caption             print the window's caption ("Ohmora - " and the file)
  --dir DIR             the program directory (exercises, guide), found from
                        the executable as the window finds it by default
  --exercise FILE.E34   open an exercise (statement and configuration), as the
                        exercise browser opens the file selected in its list
  --correction          "Voir la correction": the correction and its configuration
  --guide               "Prise en main": the first-use guide of the program directory
  --close-exercise      "Fermer l'exercice": the welcome text again
  --text FILE|-         the plain text of the text area at this point (UTF-8)
  --rtf FILE            the text area saved as RTF at this point
  --state               print fich, corrige, textemodifie and dossierexo
  --print-text FILE.pdf the text area printed at this point, into a PDF
  --table FILE|-        the value table, TAB between cells
  --samples FILE|-      every tick's clocks and values
  --graph FILE.png      the graph picture
  --schematic FILE.png  the schematic picture
  --print FILE.pdf      the printed document of the state at this point (written
                        at the end with the other outputs): the title, the
                        schematic on white and the graph, one page per copy,
                        with the page options given before it:
  --title TEXT          the page title (default "Varlune - Ohmora"; may be empty)
  --copies N            the number of copies, 1 to 40 (default 1)
  --no-schematic        leave the schematic out of the page
  --no-graph            leave the graph out of the page

rtf: reads FILE as the exercise text area does, then prints its plain
text (UTF-8, paragraphs separated by LF) or writes it back as RTF.

exercise: what the exercise browser previews of FILE: "titre", "notions",
"difficulte" (lit marks, 0 to 3) and "correction", TAB after each key.

calc: evaluates EXPR as the calculator's EXE key does and prints the entry
line it shows (degrees unless --radians).

Messages of a failed action go to standard error and the run goes on.
Exit status: 0 on success, 1 when an action failed or an output could not
be written, 2 on a wrong command line (nothing is then written).
)";
}

} // namespace ohmora::cli
