#include "core/Recording.h"

#include <algorithm>

namespace ohmora {

namespace {

bool sameCircuit(const CircuitInputs& a, const CircuitInputs& b) {
    return a.montage == b.montage && a.position == b.position && a.u0 == b.u0 &&
           a.params == b.params && a.sustained == b.sustained;
}

} // namespace

void Recording::start(int montage, float dureeEnreg) {
    montage_ = montage;
    dureeEnreg_ = dureeEnreg;
    finished_ = false;
    samples_.clear();
    transients_.clear();
}

void Recording::add(float tEnreg, const CircuitInputs& in, const Valeurs& valeurs) {
    if (transients_.empty() || in.t == 0 || !sameCircuit(in, transients_.back().inputs)) {
        CircuitInputs inputs = in;
        inputs.t = 0;
        transients_.push_back({inputs, samples_.size()});
    }
    samples_.push_back({tEnreg, in.t, int(transients_.size()) - 1, valeurs});
}

std::optional<size_t> Recording::sampleAt(double tEnreg) const {
    if (samples_.empty() || tEnreg < double(samples_.front().tEnreg)) {
        return std::nullopt;
    }
    const double end = finished_ ? std::max(double(dureeEnreg_), double(samples_.back().tEnreg))
                                 : double(samples_.back().tEnreg);
    if (tEnreg > end) {
        return std::nullopt;
    }
    const auto after =
        std::upper_bound(samples_.begin(), samples_.end(), tEnreg,
                         [](double t, const RecordedSample& s) { return t < double(s.tEnreg); });
    return size_t(after - samples_.begin()) - 1;
}

int Recording::transientAt(double tEnreg) const {
    const auto k = sampleAt(tEnreg);
    return k ? samples_[*k].segment : -1;
}

std::optional<float> Recording::valueAt(int slot, double tEnreg) const {
    const auto k = sampleAt(tEnreg);
    if (!k || slot < 0 || slot >= kSlotCount) {
        return std::nullopt;
    }
    const RecordedSample& sample = samples_[*k];
    if (double(sample.tEnreg) == tEnreg) {
        return sample.valeurs[size_t(slot)];
    }
    // The transient of that sample runs on until the next sample.
    CircuitInputs in = transients_[size_t(sample.segment)].inputs;
    in.t = float(double(sample.tBascule) + (tEnreg - double(sample.tEnreg)));
    Valeurs v = sample.valeurs;
    evaluateCircuit(in, v);
    return v[size_t(slot)];
}

} // namespace ohmora
