#include "ui/QtBusyIndicator.h"

#include <QApplication>
#include <QFont>

namespace dw {

QtBusyIndicator::QtBusyIndicator(QWidget *host) : label_(new QLabel(QStringLiteral("Wait..."), host))
{
    label_->setObjectName(QStringLiteral("cmdWait"));
    label_->setAlignment(Qt::AlignCenter);
    label_->setFrameShape(QFrame::Panel);
    label_->setFrameShadow(QFrame::Raised);
    label_->setAutoFillBackground(true);
    QFont f = label_->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    label_->setFont(f);
    label_->hide();
}

QtBusyIndicator::~QtBusyIndicator()
{
    if (shown_)
        QApplication::restoreOverrideCursor();
}

void QtBusyIndicator::show(const QString &caption)
{
    if (!label_)
        return;
    caption_ = caption;
    // Captions break their lines the way message texts do, with CR LF; a label wants LF alone.
    label_->setText(QString(caption).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (QWidget *host = label_->parentWidget()) {
        const QSize hint = label_->sizeHint().expandedTo(QSize(320, 90));
        const QSize size(qMin(hint.width() + 40, host->width()), qMin(hint.height() + 20, host->height()));
        label_->setGeometry(QRect(QPoint((host->width() - size.width()) / 2,
                                         (host->height() - size.height()) / 2),
                                  size));
    }
    label_->raise();
    label_->show();
    if (!shown_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        shown_ = true;
    }
    // The command that follows blocks the event loop; paint the notice now or it never shows.
    label_->repaint();
}

void QtBusyIndicator::hide()
{
    if (label_)
        label_->hide();
    if (shown_) {
        QApplication::restoreOverrideCursor();
        shown_ = false;
    }
}

QString QtBusyIndicator::caption() const
{
    return caption_;
}

} // namespace dw
