#pragma once
// The samples of the current or last recording: one for each point its
// curves plotted, t = 0 included, with the circuit as it stood then. The
// exports write the samples as they are; the measuring tools read a value
// at any instant of the recording from the model itself, between two
// samples as well.

#include "core/Transients.h"

#include <optional>
#include <vector>

namespace ohmora {

struct RecordedSample {
    float tEnreg = 0;   // the abscissa of the point
    float tBascule = 0; // the time of its transient, since the switching
    int segment = 0;    // the transient it belongs to
    Valeurs valeurs{};
};

class Recording {
public:
    // Forgets the samples: a recording of `dureeEnreg` seconds in `montage`
    // starts.
    void start(int montage, float dureeEnreg);
    // The sample of a plotting step, evaluated from `in` (whose time is the
    // sample's tBascule). A switching (tBascule 0) or any other change of
    // the inputs opens a new transient.
    void add(float tEnreg, const CircuitInputs& in, const Valeurs& valeurs);
    // The recording reached its duration: the model covers it to the end,
    // beyond the last sample.
    void finish() { finished_ = true; }

    bool empty() const { return samples_.empty(); }
    int montage() const { return montage_; }
    float dureeEnreg() const { return dureeEnreg_; }
    const std::vector<RecordedSample>& samples() const { return samples_; }

    // The transients, in the order they came: their inputs (time 0) and
    // their first sample.
    int transientCount() const { return int(transients_.size()); }
    const CircuitInputs& transientInputs(int i) const { return transients_[size_t(i)].inputs; }
    const RecordedSample& transientStart(int i) const {
        return samples_[transients_[size_t(i)].firstSample];
    }
    // The transient that runs at `tEnreg`, or -1 outside the recording.
    int transientAt(double tEnreg) const;

    // The value of slot k at `tEnreg`, from the model: nothing before the
    // first sample, after the last one (after the duration once finished),
    // or for a slot outside `valeurs`.
    std::optional<float> valueAt(int slot, double tEnreg) const;

private:
    struct Transient {
        CircuitInputs inputs;
        size_t firstSample = 0;
    };
    // The last sample at or before tEnreg, or nothing outside the recording.
    std::optional<size_t> sampleAt(double tEnreg) const;

    int montage_ = 0;
    float dureeEnreg_ = 0;
    bool finished_ = false;
    std::vector<RecordedSample> samples_;
    std::vector<Transient> transients_;
};

} // namespace ohmora
