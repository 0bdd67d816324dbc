#pragma once
// `Picture1`, the "Enregistrement" tab: the duration label `Labelg` and its
// up-down control, the trigger option `Check3` and the value grid.

#include "window/DrawnPanel.h"
#include "window/UpDownControl.h"
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

    QCheckBox* check3() const { return check3_; }
    QLabel* labelg() const { return labelg_; }
    UpDownControl* upDown() const { return upDown_; }
    ValueGrid* grid() const { return grid_; }

    // The panel's paint for a montage.
    void refresh(int montage);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QCheckBox* check3_;
    QLabel* labelg_;
    UpDownControl* upDown_;
    ValueGrid* grid_;
    int montage_ = 0;
};

} // namespace ohmora
