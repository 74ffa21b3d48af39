#pragma once

#include <QPushButton>

namespace dw {

// A colour picker `clrPicker`(i): a swatch that opens the colour dialog and shows the colour's
// components as its tool tip.
class ColourButton final : public QPushButton {
    Q_OBJECT
public:
    ColourButton(int index, QWidget *parent);
    int index() const { return index_; }
    quint32 value() const { return value_; }
    void setValue(quint32 value); // shows it; emits nothing

signals:
    void colourChosen(int index, quint32 value);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void choose();

    int index_;
    quint32 value_ = 0;
};

} // namespace dw
