#pragma once
// `Picture1`, the "Enregistrement" tab: the duration label `Labelg` and its
// up-down control, the trigger option `Check3` and the value grid.

#include "dialogs/UpDownControl.h"
#include "window/DrawnPanel.h"
#include "window/ValueGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include <memory>

namespace ohmora {

class RecordingPanel : public DrawnPanel {
public:
    static constexpr int kGridTop = 61;

    explicit RecordingPanel(QWidget* parent = nullptr);

    QCheckBox* triggerOption() const { return triggerOption_; }
    QLabel* durationLabel() const { return durationLabel_; }
    UpDownControl* durationCounter() const { return durationCounter_; }
    ValueGrid* grid() const { return grid_; }

    // The panel's paint for a montage.
    void refresh(int montage);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void redraw() override { refresh(montage_); }

private:
    QCheckBox* triggerOption_;       // `Check3`
    QLabel* durationLabel_;          // `Labelg`
    UpDownControl* durationCounter_; // `UpDown1`
    ValueGrid* grid_;
    int montage_ = 0;
};

} // namespace ohmora
