#include "fld_wt.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>

namespace {
constexpr int strip_width = 500;
constexpr int strip_height = 30;
} // namespace

fld_wt::fld_wt(QWidget *parent)
    : QWidget(parent), list_(new QListWidget(this)), line_(new QLineEdit(this))
{
    setMinimumSize(120, strip_height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::LeftToRight);
    list_->setIconSize(QSize(8, 8));
    list_->setWrapping(false);
    line_->setFrame(false);
    line_->setReadOnly(true);
    line_->setFocusPolicy(Qt::NoFocus);
    line_->raise();
    connect(list_, &QListWidget::itemChanged, this, [this] {
        if (!expanded_) rebuild_summary();
        emit field_changed();
    });
    resize(strip_width, strip_height);
}

QSize fld_wt::sizeHint() const
{
    return QSize(strip_width, strip_height);
}

void fld_wt::add_fields(const QString &f, bool checked)
{
    auto *item = new QListWidgetItem(f);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    {
        QSignalBlocker quiet(list_);
        list_->addItem(item);
    }
    rebuild_summary();
}

void fld_wt::cls_fields()
{
    QSignalBlocker quiet(list_);
    list_->clear();
    line_->clear();
}

QStringList fld_wt::checked_fields() const
{
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked) out << list_->item(i)->text();
    return out;
}

void fld_wt::set_checked_fields(const QStringList &names)
{
    {
        QSignalBlocker quiet(list_);
        for (int i = 0; i < list_->count(); ++i)
            list_->item(i)->setCheckState(names.contains(list_->item(i)->text()) ? Qt::Checked
                                                                                 : Qt::Unchecked);
    }
    rebuild_summary();
}

QString fld_wt::summary() const
{
    return line_->text();
}

void fld_wt::rebuild_summary()
{
    line_->setText(checked_fields().join("|"));
    line_->setCursorPosition(0);
}

void fld_wt::expand()
{
    expanded_ = true;
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setIconSize(QSize(16, 16));
    list_->setResizeMode(QListView::Adjust);
    // Tall enough for a few rows of names; the data view's layout makes room for it.
    const int row = list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0) : 20;
    const int rows = std::min(list_->count(), 6);
    const int h = std::max(strip_height, rows * (row + 4) + 12);
    setFixedHeight(h);
    list_->setGeometry(0, 0, std::min(width(), 480), h);
    list_->raise();
}

void fld_wt::collapse()
{
    expanded_ = false;
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(false);
    list_->setIconSize(QSize(8, 8));
    setFixedHeight(strip_height);
    list_->setGeometry(rect());
    line_->setGeometry(rect());
    line_->raise();
    rebuild_summary();
}

void fld_wt::enterEvent(QEvent *event)
{
    if (isEnabled()) expand();
    QWidget::enterEvent(event);
}

void fld_wt::leaveEvent(QEvent *event)
{
    if (expanded_) collapse();
    QWidget::leaveEvent(event);
}

void fld_wt::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (expanded_) {
        list_->setGeometry(0, 0, std::min(width(), 480), height());
    } else {
        list_->setGeometry(rect());
        line_->setGeometry(rect());
    }
}
