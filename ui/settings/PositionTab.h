#pragma once

#include "core/settings/PositionEditor.h"
#include "ui/settings/SettingsTab.h"

#include <QFrame>
#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace dw {

// The layout frame `fraPosIn`: the screen in miniature with the three markers and their guide
// lines. A marker is dragged with the mouse and dropped on the frame's free area.
class PositionFrame final : public QFrame {
    Q_OBJECT
public:
    // Frame units per pixel.
    static constexpr double kScale = 12;

    explicit PositionFrame(QWidget *parent);
    void showPlacement(const SettingsModel &m);
    QLabel *marker(Marker which) const { return markers_[size_t(which)]; }
    QFrame *guideLine(Marker which) const { return lines_[size_t(which)]; }

    // A drag of `which` ending at a point of the frame, in frame units: a drop on the free area
    // is reported; a drop onto a marker or outside the frame is not.
    void dropAt(Marker which, QPointF units);

signals:
    void dropped(Marker which, double x, double y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF markerRect(Marker which) const; // in frame units, as last shown

    std::array<QLabel *, 3> markers_{};
    std::array<QFrame *, 3> lines_{};
    std::array<QRectF, 3> rects_{};
    std::optional<Marker> dragging_;
    QPoint grabOffset_;
    QRect ghost_;
};

// The "P&osition" page `fraPOS`.
class PositionTab final : public SettingsTab {
    Q_OBJECT
public:
    PositionTab(SettingsContext &context, QWidget *parent);
    void sync() override;
    void applyState(const ControlsState &state) override;
    PositionFrame *frame() const { return frame_; }

private:
    PositionFrame *frame_ = nullptr;
    QComboBox *cmbMDPosition_ = nullptr;
    QComboBox *cmbNDPosition_ = nullptr;
    std::array<QToolButton *, 3> picAlign_{};
    std::array<QToolButton *, 3> picPos_{};
    QLineEdit *txtTaskbar_ = nullptr;
};

} // namespace dw
