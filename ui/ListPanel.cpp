#include "ui/ListPanel.h"

#include "ui/EventTableModel.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace dw {

namespace {
const char *const kColumnNames[3] = {"lstName", "lstDate", "lstEMail"};
const char *const kFields[3] = {"Name", "Date", "Email"};

QStringList localPaths(const QMimeData *mime)
{
    QStringList paths;
    if (!mime)
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}
} // namespace

const QString ListPanel::kHeaderCaption = QStringLiteral(
    "Names/Events:                              Dates:             Addresses/Descriptions:");

EventColumn::EventColumn(EventList &list, int column, QWidget *parent) : QListView(parent), list_(list)
{
    setObjectName(QString::fromLatin1(kColumnNames[column]));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void EventColumn::focusInEvent(QFocusEvent *event)
{
    list_.setListFocus(true);
    QListView::focusInEvent(event);
}

void EventColumn::focusOutEvent(QFocusEvent *event)
{
    list_.setListFocus(false);
    QListView::focusOutEvent(event);
}

void EventColumn::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void EventColumn::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void EventColumn::dropEvent(QDropEvent *event)
{
    const QStringList paths = localPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

ListPanel::ListPanel(EventList &list, QWidget *parent)
    : QWidget(parent), list_(list), model_(new EventTableModel(list, this))
{
    setObjectName(QStringLiteral("fraMain"));

    lblName_ = new QLabel(kHeaderCaption, this);
    lblName_->setObjectName(QStringLiteral("lblName"));
    // A fixed-pitch font keeps the blanks of the caption lined up with the columns below it.
    lblName_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lblName_->setProperty("tag", QStringLiteral("ON"));

    auto *columns = new QHBoxLayout;
    columns->setSpacing(0);
    // The name and date columns end where "Dates:" and "Addresses/Descriptions:" begin in the
    // header caption above them; the address column takes the rest.
    const QFontMetrics header(lblName_->font());
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int widths[2] = {header.horizontalAdvance(kHeaderCaption.left(43)) - frame / 2,
                           header.horizontalAdvance(kHeaderCaption.mid(43, 19))};
    for (int c = 0; c < 3; ++c) {
        auto *view = new EventColumn(list_, c, this);
        view->setModel(model_);
        view->setModelColumn(c);
        if (c < 2)
            view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        columns_[static_cast<size_t>(c)] = view;
        if (c < 2)
            view->setFixedWidth(widths[c]);
        columns->addWidget(view, c == 2 ? 1 : 0);

        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex &current) {
                    if (!syncing_ && !model_->changing())
                        list_.select(current.isValid() ? current.row() : -1);
                });
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            if (!syncing_)
                list_.setFirstVisible(value);
        });
        connect(view, &QAbstractItemView::doubleClicked, this, [this, c](const QModelIndex &index) {
            if (index.isValid())
                emit modifyRequested(index.row(), QString::fromLatin1(kFields[c]));
        });
        connect(view, &EventColumn::filesDropped, this, &ListPanel::filesDropped);
    }

    lblEvents_ = new QLabel(list_.countCaption(), this);
    lblEvents_->setObjectName(QStringLiteral("lblEvents"));
    lblEvents_->setAlignment(Qt::AlignCenter);

    inputHost_ = new QWidget(this);
    inputHost_->setObjectName(QStringLiteral("inputRow"));
    inputRow_ = new QHBoxLayout(inputHost_);
    inputRow_->setContentsMargins(0, 0, 0, 0);
    chkImp_ = new QCheckBox(QStringLiteral("&Important"), inputHost_);
    chkImp_->setObjectName(QStringLiteral("chkImp"));
    inputRow_->addWidget(chkImp_);

    auto *buttons = new QHBoxLayout;
    const char *const editCaptions[4] = {"Remove", "Clear", "Save", "Open"};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(editCaptions[i]), this);
        b->setObjectName(QStringLiteral("smtEdit") + QString::number(i));
        b->setAutoDefault(false);
        smtEdit_[static_cast<size_t>(i)] = b;
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    smtSort_ = new QPushButton(QStringLiteral("Sort"), this);
    smtSort_->setObjectName(QStringLiteral("smtSort"));
    smtEvents_ = new QPushButton(QStringLiteral("Show Events"), this);
    smtEvents_->setObjectName(QStringLiteral("smtEvents"));
    buttons->addWidget(smtSort_);
    buttons->addWidget(smtEvents_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblName_);
    layout->addLayout(columns, 1);
    layout->addWidget(lblEvents_);
    layout->addWidget(inputHost_);
    layout->addLayout(buttons);

    connect(&list_, &EventList::selectionChanged, this, &ListPanel::selectionChanged);
    connect(&list_, &EventList::firstVisibleChanged, this, &ListPanel::showFirstVisible);
    connect(&list_, &EventList::rowsReset, this, &ListPanel::refreshCount);
    connect(&list_, &EventList::rowsAppended, this, &ListPanel::refreshCount);
    connect(&list_, &EventList::rowRemoved, this, &ListPanel::refreshCount);
    connect(&list_, &EventList::editingChanged, this, [this](bool editing) {
        for (EventColumn *v : columns_)
            v->setEnabled(!editing);
    });
    // A reset or a removal loses or moves the views' current row on their own; the list keeps
    // the selection, so the views are told again rather than heard.
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { showSelection(list_.selected()); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { showSelection(list_.selected()); });
}

void ListPanel::setCompletionCaption(bool on)
{
    lblName_->setText(lblName_->text().left(85) + (on ? QStringLiteral(" on") : QStringLiteral(" off")));
    lblName_->setProperty("tag", on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void ListPanel::showSelection(int row)
{
    syncing_ = true;
    for (EventColumn *v : columns_) {
        if (row < 0) {
            v->selectionModel()->clear();
            continue;
        }
        const QModelIndex index = model_->index(row, v->modelColumn());
        v->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    syncing_ = false;
    if (row >= 0) {
        // Scroll once, in the column that shows the scroll bar; the others follow its value.
        columns_[2]->scrollTo(model_->index(row, columns_[2]->modelColumn()));
        list_.setFirstVisible(columns_[2]->verticalScrollBar()->value());
        showFirstVisible(list_.firstVisible());
    }
}

void ListPanel::selectionChanged(int row)
{
    showSelection(row);
    // The box is the mark for the next event to add, not a display of the selected one: clear
    // it, and let the caption colour tell whether the selected event is marked.
    const bool marked = row >= 0 && row < list_.count() && list_.at(row).important();
    QPalette p = chkImp_->palette();
    const QColor colour = marked ? QColor(255, 0, 0) : QColor(0, 0, 0);
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    chkImp_->setPalette(p);
    chkImp_->setChecked(false);
}

void ListPanel::showFirstVisible(int row)
{
    syncing_ = true;
    for (EventColumn *v : columns_) {
        if (v->verticalScrollBar()->value() != row)
            v->verticalScrollBar()->setValue(row);
    }
    syncing_ = false;
}

void ListPanel::refreshCount()
{
    lblEvents_->setText(list_.countCaption());
}

} // namespace dw
