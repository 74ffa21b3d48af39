#include "ui/settings/ColourButton.h"

#include "core/settings/SettingsLists.h"

#include <QColorDialog>
#include <QEvent>
#include <QPainter>

namespace dw {

namespace {
QColor toColor(quint32 v)
{
    return QColor(int(v & 255), int((v >> 8) & 255), int((v >> 16) & 255));
}
} // namespace

ColourButton::ColourButton(int index, QWidget *parent) : QPushButton(parent), index_(index)
{
    setObjectName(QStringLiteral("clrPicker%1").arg(index));
    setFixedSize(44, 22);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    setValue(0);
}

void ColourButton::setValue(quint32 value)
{
    value_ = value & 0xffffff;
    setToolTip(colourToolTip(value_));
    update();
}

void ColourButton::choose()
{
    const QColor chosen = QColorDialog::getColor(toColor(value_), this);
    if (!chosen.isValid())
        return;
    setValue(rgbValue(chosen.red(), chosen.green(), chosen.blue()));
    emit colourChosen(index_, value_);
}

bool ColourButton::event(QEvent *e)
{
    // The tool tip follows the colour each time the pointer arrives.
    if (e->type() == QEvent::Enter)
        setToolTip(colourToolTip(value_));
    return QPushButton::event(e);
}

void ColourButton::paintEvent(QPaintEvent *e)
{
    QPushButton::paintEvent(e);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(isEnabled() ? toColor(value_) : palette().color(QPalette::Window));
    p.drawRect(rect().adjusted(4, 4, -5, -5));
}

} // namespace dw
