#include "ui/settings/PositionTab.h"

#include "core/settings/SettingsCommands.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace dw {

namespace {
const char *const kMarkerNames[3] = {"lblMainDate", "lblNameDate", "lblScroller"};
const char *const kMarkerCaptions[3] = {"Main Date", "Name-Date", "Scroller"};
const char *const kLineNames[3] = {"lnMD", "lnND", "lnSc"};
// The Scroller has no horizontal place of its own; its marker sits at the left.
constexpr double kScrollerLeft = 0;

QColor pickerColor(const SettingsModel &m, int picker)
{
    const quint32 v = m.pickers[size_t(picker)].value;
    return QColor(int(v & 255), int((v >> 8) & 255), int((v >> 16) & 255));
}

// Small drawings for the alignment and Scroller pictures.
QIcon alignIcon(int index)
{
    QPixmap pm(24, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 2));
    const int widths[3] = {18, 12, 16};
    for (int i = 0; i < 3; ++i) {
        const int w = widths[i];
        const int x = index == 0 ? 3 : index == 1 ? (24 - w) / 2 : 21 - w;
        p.drawLine(x, 4 + i * 5, x + w, 4 + i * 5);
    }
    return QIcon(pm);
}

QIcon scrollerIcon(int index)
{
    QPixmap pm(24, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(1, 1, 21, 15);
    p.fillRect(3, index == 0 ? 3 : index == 1 ? 7 : 11, 10, 4, Qt::darkBlue);
    return QIcon(pm);
}
} // namespace

PositionFrame::PositionFrame(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("fraPosIn"));
    setFrameShape(QFrame::Box);
    setFixedSize(int(kFrameWidth / kScale), int(kFrameHeight / kScale));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    for (int i = 0; i < 3; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QString::fromLatin1(kLineNames[i]));
        line->setFrameShape(QFrame::NoFrame);
        line->setAutoFillBackground(true);
        lines_[size_t(i)] = line;
    }
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromLatin1(kMarkerCaptions[i]), this);
        label->setObjectName(QString::fromLatin1(kMarkerNames[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Box);
        QFont f = label->font();
        f.setPixelSize(10);
        label->setFont(f);
        const MarkerSize size = markerSize(Marker(i));
        label->resize(int(size.width / kScale), int(size.height / kScale));
        label->setCursor(Qt::OpenHandCursor);
        label->installEventFilter(this);
        markers_[size_t(i)] = label;
    }
}

void PositionFrame::showPlacement(const SettingsModel &m)
{
    const QPointF places[3] = {{m.mainDateLeft, m.mainDateTop}, {m.nameDateLeft, m.nameDateTop},
                               {kScrollerLeft, m.scrollerTop}};
    for (int i = 0; i < 3; ++i) {
        const MarkerSize size = markerSize(Marker(i));
        rects_[size_t(i)] = QRectF(places[i], QSizeF(size.width, size.height));
        markers_[size_t(i)]->move(qRound(places[i].x() / kScale), qRound(places[i].y() / kScale));
        const QColor c = pickerColor(m, i);
        markers_[size_t(i)]->setStyleSheet(QStringLiteral("color: %1; background: white;").arg(c.name()));
        QPalette pal = lines_[size_t(i)]->palette();
        pal.setColor(QPalette::Window, c);
        lines_[size_t(i)]->setPalette(pal);
    }
}

QRectF PositionFrame::markerRect(Marker which) const
{
    return rects_[size_t(which)];
}

void PositionFrame::dropAt(Marker which, QPointF units)
{
    if (!QRectF(0, 0, kFrameWidth, kFrameHeight).contains(units))
        return;
    for (int i = 0; i < 3; ++i) {
        if (markerRect(Marker(i)).contains(units))
            return;
    }
    emit dropped(which, units.x(), units.y());
}

bool PositionFrame::eventFilter(QObject *watched, QEvent *event)
{
    int index = -1;
    for (int i = 0; i < 3; ++i) {
        if (watched == markers_[size_t(i)])
            index = i;
    }
    if (index < 0)
        return QFrame::eventFilter(watched, event);
    auto *label = markers_[size_t(index)];
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton)
            break;
        dragging_ = Marker(index);
        grabOffset_ = e->position().toPoint();
        label->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove:
        if (dragging_ && *dragging_ == Marker(index)) {
            const QPoint p = mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            ghost_ = QRect(p - grabOffset_, label->size());
            update();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (dragging_ && *dragging_ == Marker(index)) {
            const QPoint p = mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            dragging_.reset();
            ghost_ = QRect();
            label->setCursor(Qt::OpenHandCursor);
            update();
            dropAt(Marker(index), QPointF(p) * kScale);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void PositionFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(Qt::lightGray, 1, Qt::DotLine));
    const int band = int(kTopBand / kScale);
    p.drawLine(0, band, width(), band);
    if (!ghost_.isNull()) {
        p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        p.drawRect(ghost_);
    }
}

// ---------------------------------------------------------------------------------------------

PositionTab::PositionTab(SettingsContext &context, QWidget *parent) : SettingsTab(context, parent)
{
    setObjectName(QStringLiteral("PositionTab"));
    auto *grid = new QGridLayout(this);
    frame_ = new PositionFrame(this);
    grid->addWidget(frame_, 0, 0, 6, 1, Qt::AlignTop);

    cmbMDPosition_ = ui::comboBox(this, QStringLiteral("cmbMDPosition"), lists::positions());
    cmbNDPosition_ = ui::comboBox(this, QStringLiteral("cmbNDPosition"), lists::positions());
    grid->addWidget(new QLabel(QStringLiteral("Main Date:"), this), 0, 1);
    grid->addWidget(cmbMDPosition_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Name-Date:"), this), 1, 1);
    grid->addWidget(cmbNDPosition_, 1, 2);

    auto *alignRow = new QHBoxLayout;
    auto *posRow = new QHBoxLayout;
    const char *const alignTips[3] = {"Align left", "Align center", "Align right"};
    const char *const posTips[3] = {"Top", "Middle", "Bottom"};
    for (int i = 0; i < 3; ++i) {
        auto *a = new QToolButton(this);
        a->setObjectName(QStringLiteral("picAlign%1").arg(i));
        a->setIcon(alignIcon(i));
        a->setToolTip(QString::fromLatin1(alignTips[i]));
        a->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        picAlign_[size_t(i)] = a;
        alignRow->addWidget(a);
        connect(a, &QToolButton::clicked, this, [this, i] {
            chooseAlignment(model(), i);
            emit changed(false);
        });
        auto *s = new QToolButton(this);
        s->setObjectName(QStringLiteral("picPos%1").arg(i));
        s->setIcon(scrollerIcon(i));
        s->setToolTip(QString::fromLatin1(posTips[i]));
        s->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        picPos_[size_t(i)] = s;
        posRow->addWidget(s);
        connect(s, &QToolButton::clicked, this, [this, i] {
            chooseScrollerPosition(model(), i);
            emit changed(true);
        });
    }
    alignRow->addStretch(1);
    posRow->addStretch(1);
    grid->addWidget(new QLabel(QStringLiteral("Name-Date align:"), this), 2, 1);
    grid->addLayout(alignRow, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Scroller:"), this), 3, 1);
    grid->addLayout(posRow, 3, 2);

    txtTaskbar_ = new QLineEdit(this);
    txtTaskbar_->setObjectName(QStringLiteral("txtTaskbar"));
    txtTaskbar_->setMaximumWidth(60);
    txtTaskbar_->setToolTip(QStringLiteral("Please specify the height of the Taskbar (in pixels) so that \"Bottom\" "
                                           "positions can be displayed correctly."));
    grid->addWidget(new QLabel(QStringLiteral("Taskbar height:"), this), 4, 1);
    grid->addWidget(txtTaskbar_, 4, 2);

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("Save Settings"), this);
    save->setObjectName(QStringLiteral("cmdSave2"));
    auto *defaults = new QPushButton(QStringLiteral("Default Settings..."), this);
    defaults->setObjectName(QStringLiteral("cmdDefault2"));
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(defaults);
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);

    connect(cmbMDPosition_, &QComboBox::activated, this, [this](int index) {
        chooseMainDatePosition(model(), index, &ctx_.prompter);
        emit changed(true);
    });
    connect(cmbNDPosition_, &QComboBox::activated, this, [this](int index) {
        chooseNameDatePosition(model(), index, &ctx_.prompter);
        emit changed(index != 0);
    });
    connect(txtTaskbar_, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString corrected = correctedTaskbarHeight(text);
        model().taskbarHeight = corrected;
        if (corrected != text)
            txtTaskbar_->setText(corrected);
        emit changed(false);
    });
    connect(frame_, &PositionFrame::dropped, this, [this](Marker which, double x, double y) {
        dropMarker(model(), which, x, y, &ctx_.prompter);
        emit changed(true);
    });
    connect(save, &QPushButton::clicked, this, [this] { savePositionSettings(model(), ctx_.store, kSettingsSection); });
    connect(defaults, &QPushButton::clicked, this, [this] {
        if (positionDefaults(model(), ctx_.prompter))
            emit changed(true);
    });
    sync();
}

void PositionTab::sync()
{
    const SettingsModel &m = model();
    ui::selectText(cmbMDPosition_, m.mainDatePosition);
    ui::selectText(cmbNDPosition_, m.nameDatePosition);
    for (int i = 0; i < 3; ++i) {
        const bool align = m.nameDateAlign == i;
        picAlign_[size_t(i)]->setText(align ? lists::alignments().at(i) : QString());
        picAlign_[size_t(i)]->setAutoRaise(!align); // selected: raised, others flat
        const bool pos = m.scrollerPreset == i;
        picPos_[size_t(i)]->setText(pos ? lists::scrollerPresets().at(i) : QString());
        picPos_[size_t(i)]->setAutoRaise(!pos);
    }
    ui::setTextKeepingCursor(txtTaskbar_, m.taskbarHeight);
    frame_->showPlacement(m);
}

void PositionTab::applyState(const ControlsState &state)
{
    for (int i = 0; i < 3; ++i) {
        QFrame *line = frame_->guideLine(Marker(i));
        line->setGeometry(0, qRound(state.guideLines[size_t(i)] / PositionFrame::kScale), frame_->width(), 1);
        line->lower();
    }
}

} // namespace dw
