#include "PackChecks.h"

#include "PackFigures.h"
#include "core/Simulator.h"
#include "core/SwitchZones.h"
#include "core/Transients.h"
#include "graph/PlotBox.h"
#include "window/Validation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <sstream>

namespace ohmora::pack {

namespace {

constexpr int kTickLimit = 20000;
constexpr float kSettledWait = 10.0f; // seconds left between two clicks by default
constexpr double kLongest = 3600;     // the longest date a line may name, in seconds

std::string trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return std::string(s);
}

std::vector<std::string> words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

std::string joined(const std::vector<std::string>& w, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to && i < w.size(); ++i) {
        out += (out.empty() ? "" : " ") + w[i];
    }
    return out;
}

std::optional<int> integer(std::string_view s) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && end == s.data() + s.size() ? std::optional(v) : std::nullopt;
}

// The slot of a quantity named as the texts name it, in a montage.
int slotOf(const std::string& quantity, int montage) {
    if (montage == 2) {
        static const std::map<std::string, int> kRl = {
            {"u_b", 0}, {"u_R", 1}, {"i", 4}, {"E_b", 6}};
        const auto it = kRl.find(quantity);
        return it == kRl.end() ? -1 : it->second;
    }
    static const std::map<std::string, int> kSlots = {
        {"u_R1", 0}, {"u_C", 1}, {"u_R2", 2}, {"u_b", 3}, {"i", 4}, {"E_C", 5}, {"E_b", 6}};
    const auto it = kSlots.find(quantity);
    return it == kSlots.end() || !slotUsed(montage, it->second) ? -1 : it->second;
}

constexpr std::array<std::string_view, kParameterCount> kBoxUnits = {
    "V", "Ω", "µF", "Ω", "V", "Ω", "µF", "Ω", "mH", "Ω", "V", "mH", "Ω", "Ω"};

// A setting before the kind: "param.7=1 000", "duration=1 s", ... The
// value typed is one the correction may write.
std::string applySetting(const std::string& setting, Controls& c,
                         std::vector<std::string>& arguments) {
    const size_t eq = setting.find('=');
    const std::string key = trimmed(setting.substr(0, eq));
    const std::string value = eq == std::string::npos ? "" : trimmed(setting.substr(eq + 1));
    if (key.rfind("param.", 0) == 0) {
        const auto i = integer(key.substr(6));
        if (!i || *i < 0 || *i >= kParameterCount) {
            return "no parameter box " + key;
        }
        c.textv[size_t(*i)] = value;
        arguments.push_back(value + " " + std::string(kBoxUnits[size_t(*i)]));
        if (validateParameter(*i, c.textv).text != value) {
            return key + " = " + value + " is not what the box would show";
        }
    } else if (key == "duration") {
        const Duration* d = durationForLabel(value);
        if (!d) {
            return "no duration " + value;
        }
        c.upDown = d->upDown;
        arguments.push_back(value);
    } else if (key == "quantities") {
        c.check4.fill(false);
        for (const std::string& k : words(value)) {
            const auto n = integer(k);
            if (!n || *n < 0 || *n >= kQuantityCount) {
                return "no quantity box " + k;
            }
            c.check4[size_t(*n)] = true;
        }
    } else if (key == "sustained" || key == "trigger2") {
        (key == "sustained" ? c.checkRn : c.check3) = value == "1";
    } else {
        return "unknown setting " + key;
    }
    return {};
}

double generatorVoltage(const std::array<float, kParameterCount>& p, int montage) {
    return p[size_t(kFirstParameter[size_t(montage)])];
}

// The figures of the course computed from the boxes, in SI units.
std::optional<double> formula(const std::string& kind, const Controls& c) {
    const auto p = parameterValues(c.textv);
    const double micro = 1e-6, milli = 1e-3;
    const double U = generatorVoltage(p, c.montage);
    const double C = (c.montage == 0 ? p[2] : p[6]) * micro;
    if (kind == "tau_charge") {
        return (c.montage == 0 ? p[1] : p[5]) * C;
    }
    if (kind == "tau_discharge") {
        return p[3] * C;
    }
    if (kind == "tau_rl") {
        return p[11] * milli / (p[13] + p[12]);
    }
    if (kind == "i_final") {
        return p[10] / (p[13] + p[12]);
    }
    if (kind == "T0") {
        return 2 * std::numbers::pi * std::sqrt(p[8] * milli * C);
    }
    if (kind == "pseudo_period") {
        const double L = p[8] * milli, R = p[7] + p[9];
        const double omega2 = 1 / (L * C) - std::pow(R / (2 * L), 2);
        return omega2 > 0 ? std::optional(2 * std::numbers::pi / std::sqrt(omega2)) : std::nullopt;
    }
    if (kind == "energy_c") {
        return 0.5 * C * U * U;
    }
    if (kind == "energy_l") {
        const double I = p[10] / (p[13] + p[12]);
        return 0.5 * p[11] * milli * I * I;
    }
    return std::nullopt;
}

// The simulator's value of a quantity at a date after K reached a
// position: 1 from rest, 2 from a capacitor charged under U.
std::optional<double> valueAt(const std::vector<std::string>& w, const Controls& c,
                              std::string& problem) {
    const int slot = w.size() == 5 ? slotOf(w[1], c.montage) : -1;
    const auto position = w.size() == 5 ? integer(w[2]) : std::nullopt;
    const auto t = w.size() == 5 ? parseFigure(w[3] + " " + w[4]) : std::nullopt;
    if (slot < 0 || !position || !t || t->unit != "s") {
        problem = "write: value QUANTITY POSITION DATE";
        return std::nullopt;
    }
    CircuitInputs in;
    in.montage = c.montage;
    in.position = *position;
    in.t = float(std::clamp(t->value, 0.0, kLongest));
    in.params = parameterValues(c.textv);
    in.u0 = *position == 2 && c.montage != 2 ? float(generatorVoltage(in.params, c.montage)) : 0;
    in.sustained = c.checkRn && c.montage == 1;
    std::array<float, 9> valeurs{};
    evaluateCircuit(in, valeurs);
    return valeurs[size_t(slot)];
}

// A recording made the way the exercise asks: the clicks on K of a
// scenario such as "1", "1+2" or "1+0@15s+1@15s" (each click after the
// model time given since the previous one, or once the circuit has
// settled), then the ticks up to its end.
struct Recording {
    Simulator sim;
    std::vector<PlotMark> marks;
};

std::unique_ptr<Recording> record(const Controls& c, const std::string& scenario,
                                  std::string& problem) {
    auto r = std::make_unique<Recording>();
    Simulator& sim = r->sim;
    sim.replayControls(c);
    if (!(sim.controls() == c)) {
        problem = "the program does not keep this configuration as written";
        return nullptr;
    }
    const auto tick = [&] {
        if (sim.tick() & RedrawPlot) {
            r->marks.insert(r->marks.end(), sim.lastPlot().begin(), sim.lastPlot().end());
        }
    };
    std::istringstream in(scenario);
    bool first = true;
    for (std::string step; std::getline(in, step, '+'); first = false) {
        const size_t at = step.find('@');
        const auto target = integer(step.substr(0, at));
        float wait = first ? 0 : kSettledWait;
        if (at != std::string::npos) {
            const std::string date = step.substr(at + 1);
            const size_t unit = std::min(date.find_first_not_of("0123456789,"), date.size());
            const auto f = parseFigure(date.substr(0, unit) + " " + date.substr(unit));
            if (!f || f->unit != "s") {
                problem = "no date in " + step;
                return nullptr;
            }
            wait = float(std::clamp(f->value, 0.0, kLongest));
        }
        if (!target || *target < 0 || *target > 2) {
            problem = "no position of K in " + step;
            return nullptr;
        }
        for (int n = 0; n < kTickLimit && sim.state().run.tBascule < wait; ++n) {
            tick();
        }
        const Point p = pointOnSwitch(c.montage, *target);
        sim.mouseMoveSchematic(p.x, p.y);
        sim.clickSchematic();
    }
    if (!sim.state().run.enregEnCours) {
        problem = "no recording in progress after the last click of " + scenario;
        return nullptr;
    }
    for (int n = 0; n < kTickLimit && sim.state().run.enregEnCours; ++n) {
        tick();
    }
    return r;
}

// The y of the drawn curve of a slot at column x, as the middle of the line.
std::optional<int> curveAt(const Recording& r, int slot, int x) {
    for (const PlotMark& m : r.marks) {
        if (m.slot == slot && m.x1 == x) {
            return m.y1;
        }
    }
    for (const PlotMark& m : r.marks) {
        if (m.slot == slot && m.line && m.x0 < x && x < m.x1) {
            return int(std::nearbyint(m.y0 + double(m.y1 - m.y0) * (x - m.x0) / (m.x1 - m.x0)));
        }
    }
    return std::nullopt;
}

// The row of the graph whose cursor reading is `level`, if just one.
std::optional<int> rowReading(const Simulator& sim, const std::string& level) {
    std::optional<int> row;
    for (int y = PlotBox::top; y <= PlotBox::bottom; ++y) {
        if (trimmed(sim.readout(PlotBox::left, y).valueText) == screenForm(level)) {
            if (row) {
                return std::nullopt;
            }
            row = y;
        }
    }
    return row;
}

// The column where the drawn curve crosses row y the nth time, going up
// (the value growing) or down: the middle of the stretch where the line
// lies on that row, between the edges of the row.
std::optional<int> crossingColumn(const Recording& r, int slot, int y, bool up, int nth) {
    const double sign = up ? -1 : 1; // the direction y moves in
    const double entry = y - sign * 0.5, exit = y + sign * 0.5;
    std::optional<double> entered;
    for (const PlotMark& m : r.marks) {
        if (m.slot != slot || !m.line || m.y1 == m.y0) {
            continue;
        }
        const auto at = [&](double level) {
            return m.x0 + (m.x1 - m.x0) * (level - m.y0) / (m.y1 - m.y0);
        };
        const double s0 = sign * m.y0, s1 = sign * m.y1;
        if (!entered && s0 < sign * entry && s1 >= sign * entry) {
            entered = at(entry);
        }
        if (entered && s0 < sign * exit && s1 >= sign * exit) {
            if (--nth == 0) {
                return int(std::nearbyint((*entered + at(exit)) / 2));
            }
            entered.reset();
        }
    }
    return std::nullopt;
}

// table, cursor and crossing: what the screen shows after a scenario.
std::optional<std::string> screenReading(const std::vector<std::string>& w, const Controls& c,
                                         std::vector<std::string>& arguments,
                                         std::string& problem) {
    const std::string& kind = w[0];
    const bool tool = kind == "tau_tool";
    const int slot = w.size() > (tool ? 2 : 3) ? slotOf(w[1], c.montage) : -1;
    if (slot < 0) {
        problem = "write: " + kind + " QUANTITY SCENARIO ...";
        return std::nullopt;
    }
    const auto r = record(c, w[2], problem);
    if (!r) {
        return std::nullopt;
    }
    const Simulator& sim = r->sim;
    if (kind == "table") {
        const std::string row = joined(w, 3, w.size());
        arguments.push_back(row);
        const ValueTable& t = sim.state().table;
        for (int n = 1; n < t.rowCount(); ++n) {
            if (t.cell(n, 0) != row) {
                continue;
            }
            for (int col = 1; col < t.columnCount(); ++col) {
                if (tableColumnSlot(c.montage, col) == slot) {
                    return t.cell(n, col);
                }
            }
        }
        problem = "no row " + row + " in the table";
        return std::nullopt;
    }
    if (!c.check4[size_t(slot)]) {
        problem = w[1] + " is not drawn: its box is not ticked";
        return std::nullopt;
    }
    if (tool) {
        // "Temps caractéristique (63 % / 37 %)": the figure of "τ ≈ 48,75 ms
        // (± 1,25 ms)" the graph writes.
        const auto made = r->sim.constructTau(TauPart::Level, slot);
        const std::string text = made.construction ? made.construction->tauText : "";
        const size_t from = text.find("\u2248 "), to = text.find(" (");
        if (from == std::string::npos || to == std::string::npos || to < from) {
            problem = "the graph reads no time constant on " + w[1];
            return std::nullopt;
        }
        return text.substr(from + 4, to - from - 4);
    }
    if (kind == "cursor") {
        const std::string date = joined(w, 3, w.size());
        arguments.push_back(date);
        const auto t = parseFigure(date);
        const double column =
            t ? t->value / double(sim.state().run.dureeEnreg) * PlotBox::width + PlotBox::left : 0;
        const int x = int(std::nearbyint(std::clamp(column, 0.0, double(PlotBox::right + 1))));
        const auto y = curveAt(*r, slot, x);
        if (!t || std::fabs(column - x) > 1e-4 || !y ||
            trimmed(sim.readout(x, *y).timeText) != date) {
            problem = "the cursor cannot show the date " + date;
            return std::nullopt;
        }
        return trimmed(sim.readout(x, *y).valueText);
    }
    // crossing QUANTITY SCENARIO up|down LEVEL N
    const std::string level = joined(w, 4, w.size() - 1);
    const auto nth = integer(w.back());
    arguments.push_back(level);
    const auto y = rowReading(sim, level);
    if (w.size() < 6 || (w[3] != "up" && w[3] != "down") || !nth || !y) {
        problem = "no single row of the graph reads " + level;
        return std::nullopt;
    }
    const auto x = crossingColumn(*r, slot, *y, w[3] == "up", *nth);
    if (!x) {
        problem = "the curve does not cross " + level + " that often";
        return std::nullopt;
    }
    return trimmed(sim.readout(*x, *y).timeText);
}

// The graph's steps: a pixel of the cursor in time and in value, a row of
// the table, the full scale.
std::optional<double> graphStep(const std::string& kind, const Controls& c) {
    Simulator sim;
    sim.replayControls(c);
    const double duration = sim.state().run.dureeEnreg;
    const GraphScale& scale = sim.state().graph.frame.scale;
    if (kind == "cursor_time_step") {
        return duration / PlotBox::width;
    }
    if (kind == "table_step") {
        return duration / 50;
    }
    if (kind == "cursor_value_step") {
        return scale.echelleY / (scale.axeSymetrique ? PlotBox::height / 2.0 : PlotBox::height);
    }
    if (kind == "scale") {
        return scale.echelleY;
    }
    return std::nullopt;
}

} // namespace

std::string_view boxUnit(int box) {
    return box >= 0 && box < kParameterCount ? kBoxUnits[size_t(box)] : "";
}

CheckOutcome verifyCheck(const std::string& text, const CheckConfigurations& configurations) {
    CheckOutcome out;
    std::string line = trimmed(text);
    Controls c = configurations.statement;
    if (line.rfind("corr:", 0) == 0) {
        c = configurations.correction;
        line = trimmed(line.substr(5));
    }
    for (size_t semi; (semi = line.find(';')) != std::string::npos;) {
        out.problem = applySetting(line.substr(0, semi), c, out.arguments);
        if (!out.problem.empty()) {
            return out;
        }
        line = trimmed(line.substr(semi + 1));
    }
    const size_t eq = line.rfind('=');
    if (eq == std::string::npos) {
        out.problem = "no \"= FIGURE\"";
        return out;
    }
    out.figure = trimmed(line.substr(eq + 1));
    const std::vector<std::string> w = words(line.substr(0, eq));
    const std::string kind = w.empty() ? "" : w[0];
    if (kind == "table" || kind == "cursor" || kind == "crossing" || kind == "tau_tool") {
        const auto shown = screenReading(w, c, out.arguments, out.problem);
        if (shown && *shown != screenForm(out.figure)) {
            out.problem = "the screen shows " + *shown;
        }
        return out;
    }
    std::optional<double> exact;
    if (kind == "value") {
        exact = valueAt(w, c, out.problem);
        out.arguments.push_back(joined(w, 3, w.size()));
    } else if (kind == "calc") {
        exact = evaluate(joined(w, 1, w.size()));
    } else if (w.size() == 1) {
        exact = formula(kind, c);
        exact = exact ? exact : graphStep(kind, c);
    }
    const auto stated = parseFigure(out.figure);
    if (!exact) {
        out.problem = out.problem.empty() ? "cannot read this check" : out.problem;
    } else if (!stated || !roundsTo(*exact, *stated)) {
        std::ostringstream message;
        message.precision(6);
        message << "the exact value is " << *exact << " " << (stated ? stated->unit : "");
        out.problem = message.str();
    }
    return out;
}

} // namespace ohmora::pack
