#include "data_view.h"

#include "db_access.h"
#include "filter_builder.h"
#include "import_csv_dlg.h"
#include "msg_box.h"
#include "search_tab_dlg.h"
#include "tab_data_model.h"
#include "ui_data_view.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

data_view::data_view(QWidget *parent, const QString &table, db_access *db)
    : QWidget(parent), ui_(new Ui::data_view), db_(db), model_(new tab_data_model(table, db, this)),
      filter_timer_(new QTimer(this)), post_timer_(new QTimer(this))
{
    ui_->setupUi(this);
    ui_->dv->setModel(model_);
    // No sort until the user clicks a header: the rows come in the server's order.
    ui_->dv->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ui_->dv->setSortingEnabled(true);
    ui_->dv->horizontalHeader()->setSectionsMovable(true);
    search_ = new search_tab_dlg(ui_->dv, this);
    ui_->apply_btn->setEnabled(false);
    ui_->delete_btn->setEnabled(false);
    // The row under the grid may narrow, so that the form does not push the main window's
    // tree aside: "+" and "-" give up their spare width, and the row count wraps.
    for (QPushButton *b : {ui_->add_btn, ui_->delete_btn}) {
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("+++")) * 2);
    }
    ui_->rows_lbl->setWordWrap(true);
    ui_->rows_lbl->setMinimumWidth(ui_->rows_lbl->fontMetrics().horizontalAdvance('0') * 9);

    QStringList fields, types, repeats;
    db_->table_fields(table, fields, types, repeats);
    for (const QString &f : fields) ui_->fd_wt->add_fields(f, true);
    ui_->table_le->setText(table);
    ui_->table_le->setCursorPosition(0);

    for (QTimer *t : {filter_timer_, post_timer_}) {
        t->setSingleShot(true);
        t->setInterval(typing_pause_ms);
    }
    connect(filter_timer_, &QTimer::timeout, this, &data_view::filter_changed);
    connect(post_timer_, &QTimer::timeout, this, &data_view::post_changed);
    // Typing waits for a pause; Return or a choice from the list runs the query at once.
    connect(ui_->filter_cb, &QComboBox::editTextChanged, this, [this] { filter_timer_->start(); });
    connect(ui_->post_cb, &QComboBox::editTextChanged, this, [this] { post_timer_->start(); });
    connect(ui_->filter_cb->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        filter_timer_->stop();
        filter_changed();
    });
    connect(ui_->post_cb->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        post_timer_->stop();
        post_changed();
    });
    connect(ui_->filter_cb, QOverload<int>::of(&QComboBox::activated), this, [this] {
        filter_timer_->stop();
        filter_changed();
    });
    connect(ui_->post_cb, QOverload<int>::of(&QComboBox::activated), this, [this] {
        post_timer_->stop();
        post_changed();
    });

    connect(ui_->add_btn, &QPushButton::clicked, this, &data_view::add);
    connect(ui_->delete_btn, &QPushButton::clicked, this, &data_view::del);
    connect(ui_->apply_btn, &QPushButton::clicked, this, &data_view::apply);
    connect(ui_->cancel_btn, &QPushButton::clicked, this, &data_view::cancel);
    connect(ui_->export_btn, &QPushButton::clicked, this, &data_view::export_data);
    connect(ui_->limit_cb, &QCheckBox::stateChanged, this, &data_view::check_limit);
    connect(ui_->limit_sb, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &data_view::change_limit);
    connect(ui_->im_cb, &QCheckBox::stateChanged, this, &data_view::im_changed);
    connect(ui_->fd_wt, &fld_wt::field_changed, this, &data_view::field_changed);
    for (QRadioButton *rb : {ui_->nor_rb, ui_->hex_rb, ui_->dec_rb, ui_->bin_rb})
        connect(rb, &QRadioButton::toggled, this, &data_view::mode_toggled);
    connect(model_, &tab_data_model::changed, this, &data_view::enable_apply);
    connect(ui_->dv->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &data_view::row_changed);
    connect(ui_->dv->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &data_view::current_changed);
    connect(ui_->dv, &QTableView::customContextMenuRequested, this, &data_view::open_context_menu);

    build_menu();
    load();
}

data_view::~data_view() = default;

void data_view::build_menu()
{
    menu_ = new QMenu(this);
    find_act_ = new QAction(QIcon(":/img/find.svg"), tr("find text"), this);
    find_act_->setShortcut(QKeySequence(tr("ctrl+f")));
    rep_act_ = new QAction(QIcon(":/img/replace.svg"), tr("replace text"), this);
    rep_act_->setShortcut(QKeySequence(tr("ctrl+h")));
    for (QAction *a : {find_act_, rep_act_}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        menu_->addAction(a);
    }
    connect(find_act_, &QAction::triggered, this, &data_view::find_txt);
    connect(rep_act_, &QAction::triggered, this, &data_view::rep_txt);
    menu_->addSeparator();

    QMenu *filter = menu_->addMenu(tr("filter"));
    filter_mode_ = new QActionGroup(this);
    QAction *replace_filter = filter->addAction(tr("replace"));
    filter_and_ = filter->addAction(QStringLiteral("&&&&"));
    filter_or_ = filter->addAction(QStringLiteral(" || "));
    for (QAction *a : {replace_filter, filter_and_, filter_or_}) {
        a->setCheckable(true);
        filter_mode_->addAction(a);
    }
    replace_filter->setChecked(true);
    filter->addSeparator();
    for (const builder_entry &e : filter_entries()) {
        if (e.separator_before) filter->addSeparator();
        QAction *a = filter->addAction(QString::fromLatin1(e.text));
        connect(a, SIGNAL(triggered(bool)), this,
                QByteArray("1").append(e.slot).append("(bool)").constData());
    }

    QMenu *post = menu_->addMenu(tr("post processing"));
    post_mode_ = new QActionGroup(this);
    QAction *replace_post = post->addAction(tr("replace"));
    post_append_ = post->addAction(tr("append"));
    for (QAction *a : {replace_post, post_append_}) {
        a->setCheckable(true);
        post_mode_->addAction(a);
    }
    post_append_->setChecked(true);
    post->addSeparator();
    for (const builder_entry &e : post_entries()) {
        if (e.separator_before) post->addSeparator();
        QAction *a = post->addAction(tr(e.text));
        connect(a, SIGNAL(triggered(bool)), this,
                QByteArray("1").append(e.slot).append("(bool)").constData());
    }

    // Offered, but not built yet: shown disabled.
    QMenu *analysis = menu_->addMenu(tr("analysis"));
    for (const char *t : {"linear regression", "logic regression", "decision tree", "bayes", "svm",
                          "cluster", "pca", "random forest", "deep learning"})
        analysis->addAction(tr(t));
    analysis->addSeparator();
    analysis->addAction(tr("modeling"));
    analysis->setEnabled(false);
    QMenu *visual = menu_->addMenu(tr("visualization"));
    for (const char *t :
         {"scatter", "line", "bar", "area", "pie", "funnel", "adt", "radar", "instrument"})
        visual->addAction(tr(t));
    visual->setEnabled(false);
}

QByteArray data_view::query_text() const
{
    QByteArray sql = "select ";
    const QStringList fields = ui_->fd_wt->checked_fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (i) sql += ", ";
        sql += db_access::quote_name(fields[i]);
    }
    sql += " from " + db_access::quote_name(ui_->table_le->text());
    // Only blanks and tabs are trimmed: QString::trimmed would also take line breaks.
    QString filter = ui_->filter_cb->currentText();
    int b = 0, e = filter.size();
    while (b < e && (filter[b] == ' ' || filter[b] == '\t')) ++b;
    while (e > b && (filter[e - 1] == ' ' || filter[e - 1] == '\t')) --e;
    filter = filter.mid(b, e - b);
    const QByteArray k = QByteArray::number(ui_->limit_sb->value());
    const bool limit = ui_->limit_cb->isChecked();
    if (!filter.isEmpty() && limit)
        sql += " where first " + k + " && " + filter.toUtf8();
    else if (!filter.isEmpty())
        sql += " where " + filter.toUtf8();
    else if (limit)
        sql += " where first " + k;
    const QString post = ui_->post_cb->currentText();
    if (!post.isEmpty()) sql += " " + post.toUtf8();
    return sql;
}

bool data_view::has_pending() const
{
    return model_->modified_count() > 0 || model_->new_count() > 0 || model_->deleted_count() > 0;
}

bool data_view::settle_pending()
{
    if (!has_pending()) return true;
    const auto answer = ask(this, tr("pending changes"), tr("apply the pending changes?"),
                            QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel,
                            msg_kind::question, QMessageBox::Apply);
    if (answer == QMessageBox::Discard) return true;
    if (answer != QMessageBox::Apply) return false;
    if (model_->commit_changes()) return true;
    show_apply_failure();
    return false;
}

data_view::controls data_view::current_controls() const
{
    controls c;
    c.limit_on = ui_->limit_cb->isChecked();
    c.limit = ui_->limit_sb->value();
    c.filter = ui_->filter_cb->currentText();
    c.post = ui_->post_cb->currentText();
    c.fields = ui_->fd_wt->checked_fields();
    c.immediate = ui_->im_cb->isChecked();
    return c;
}

void data_view::restore_controls(const controls &c)
{
    QSignalBlocker b1(ui_->limit_cb), b2(ui_->limit_sb), b3(ui_->filter_cb), b4(ui_->post_cb),
        b5(ui_->im_cb);
    ui_->limit_cb->setChecked(c.limit_on);
    ui_->limit_sb->setEnabled(c.limit_on);
    ui_->limit_sb->setValue(c.limit);
    ui_->filter_cb->setEditText(c.filter);
    ui_->post_cb->setEditText(c.post);
    ui_->im_cb->setChecked(c.immediate);
    ui_->fd_wt->set_checked_fields(c.fields);
    filter_timer_->stop();
    post_timer_->stop();
}

void data_view::reload_if_changed()
{
    if (query_text() + ";" == last_query_) return;
    if (!settle_pending()) {
        restore_controls(loaded_);
        return;
    }
    load();
}

bool data_view::load()
{
    last_query_ = query_text() + ";";
    bool editable = false;
    QString log;
    const bool ok = model_->load_rows(last_query_, false, &editable, log);
    loaded_ = current_controls();
    editable_ = ok && editable;
    for (int c = 0; c < model_->columnCount(); ++c)
        ui_->dv->setItemDelegateForColumn(c, model_->column_delegate(c));
    {
        // The rows come in the server's order again: no column is sorted.
        QSignalBlocker quiet(ui_->dv->horizontalHeader());
        ui_->dv->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
    const int rows = model_->rowCount();
    limit_reached_ = ok && ui_->limit_cb->isChecked() && rows >= ui_->limit_sb->value();
    if (!ok) {
        const QString why = db_access::last_reason();
        status_ = why.isEmpty() ? tr("the query failed.") : tr("the query failed: %1").arg(why);
    } else {
        status_ = tr("%1 rows").arg(rows);
        if (limit_reached_) status_ += " " + tr("(limit reached)");
    }
    ui_->rows_lbl->setText(status_);
    ui_->apply_btn->setEnabled(false);
    set_row_buttons();
    fit_columns();
    return ok;
}

void data_view::show_apply_failure()
{
    const QString why = db_access::last_reason();
    status_ = why.isEmpty()
                  ? tr("the changes were not applied; they are still pending.")
                  : tr("the changes were not applied (%1); they are still pending.").arg(why);
    ui_->rows_lbl->setText(status_);
}

void data_view::set_row_buttons()
{
    const bool on = editable_ && !model_->immediate();
    ui_->add_btn->setEnabled(on);
    ui_->delete_btn->setEnabled(on);
}

void data_view::fit_columns()
{
    // The header measures at most a screenful of rows, so this stays cheap on big results.
    ui_->dv->horizontalHeader()->setResizeContentsPrecision(200);
    ui_->dv->resizeColumnsToContents();
    ui_->dv->horizontalHeader()->viewport()->update();
    ui_->dv->viewport()->update();
}

QString data_view::status_text() const
{
    return status_;
}

void data_view::add(bool)
{
    const int row = model_->rowCount();
    if (!model_->insertRows(row, 1)) return;
    const QModelIndex cur = ui_->dv->currentIndex();
    const int col = cur.isValid() ? cur.column() : 0;
    ui_->dv->setCurrentIndex(model_->index(row, col));
    ui_->dv->scrollTo(model_->index(row, col));
}

void data_view::del(bool)
{
    const QModelIndex cur = ui_->dv->currentIndex();
    if (!cur.isValid()) return;
    model_->removeRows(cur.row(), 1);
}

void data_view::apply(bool)
{
    if (!model_->commit_changes()) {
        // A refused atom_exec changed nothing on the server: keep what the user typed.
        show_apply_failure();
        return;
    }
    load();
    ui_->apply_btn->setEnabled(false);
}

void data_view::cancel(bool)
{
    if (!settle_pending()) return;
    emit rejected();
}

void data_view::post_changed()
{
    reload_if_changed();
}

void data_view::filter_changed()
{
    reload_if_changed();
}

void data_view::check_limit(int state)
{
    ui_->limit_sb->setEnabled(state == Qt::Checked);
    reload_if_changed();
}

void data_view::change_limit(int)
{
    reload_if_changed();
}

void data_view::export_data(bool)
{
    import_csv_dlg dlg(this);
    dlg.set_export_mode(true);
    dlg.setWindowTitle(tr("export view data"));
    dlg.set_path(ui_->table_le->text() + ".csv");
    if (dlg.exec() != QDialog::Accepted) return;
    const bool ok = db_->export_query(QString::fromUtf8(query_text()), dlg.path(), dlg.csv(),
                                      dlg.separator(), dlg.replace());
    inform(this, tr("export table result"),
           tr("export table '%1' to file '%2' is %3!")
               .arg(ui_->table_le->text(), dlg.path(), ok ? tr("successful") : tr("failed")),
           msg_kind::information, ok ? QString() : db_access::last_reason());
}

void data_view::find_txt(bool)
{
    search_->show(false);
}

void data_view::rep_txt(bool)
{
    search_->show(true);
}

void data_view::row_changed()
{
    if (model_->immediate()) {
        ui_->add_btn->setEnabled(false);
        ui_->delete_btn->setEnabled(false);
        return;
    }
    const QModelIndex cur = ui_->dv->currentIndex();
    const bool on = cur.isValid() && !model_->column_read_only(cur.column());
    ui_->add_btn->setEnabled(on);
    ui_->delete_btn->setEnabled(on);
}

void data_view::current_changed() {}

void data_view::im_changed(int state)
{
    if (!settle_pending()) {
        restore_controls(loaded_);
        return;
    }
    if (state == Qt::Checked) {
        load();
        model_->set_immediate(true);
        ui_->add_btn->setEnabled(false);
        ui_->delete_btn->setEnabled(false);
        ui_->apply_btn->setEnabled(false);
    } else {
        model_->set_immediate(false);
        load();
    }
}

void data_view::enable_apply(const bool &on)
{
    ui_->apply_btn->setEnabled(on && !model_->immediate());
}

void data_view::update_tab()
{
    if (!settle_pending()) {
        restore_controls(loaded_);
        return;
    }
    load();
}

void data_view::field_changed()
{
    reload_if_changed();
}

void data_view::mode_toggled(bool checked)
{
    if (!checked) return;
    const QString mode = ui_->bin_rb->isChecked()   ? "Bin"
                         : ui_->hex_rb->isChecked() ? "Hex"
                         : ui_->nor_rb->isChecked() ? "Nor"
                                                    : "Dec";
    model_->set_number_mode(mode);
    fit_columns();
}

void data_view::open_context_menu(const QPoint &pos)
{
    if (model_->rowCount() == 0) return;
    const QModelIndex at = ui_->dv->indexAt(pos);
    if (at.isValid()) ui_->dv->setCurrentIndex(at);
    menu_->popup(ui_->dv->viewport()->mapToGlobal(pos));
}

bool data_view::cell_parts(QString &name, QString &value, QString &low, QString &high) const
{
    const QModelIndex cur = ui_->dv->currentIndex();
    if (!cur.isValid()) return false;
    const int col = cur.column();
    const QString type = model_->type_name(col);
    name = QString::fromUtf8(
        db_access::quote_name(model_->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString()));
    value = QString::fromUtf8(
        tab_data_model::value_literal(type, QString::fromUtf8(model_->display_text(cur))));
    low = QString::fromUtf8(tab_data_model::value_literal(type, "1"));
    high = QString::fromUtf8(tab_data_model::value_literal(type, "3"));
    return true;
}

void data_view::filter_entry(const char *slot)
{
    const builder_entry *e = find_entry(slot);
    QString n, v, l1, l3;
    if (!e || !cell_parts(n, v, l1, l3)) return;
    const filter_join mode = filter_and_->isChecked()  ? filter_join::and_
                             : filter_or_->isChecked() ? filter_join::or_
                                                       : filter_join::replace;
    const QString text =
        join_filter(mode, ui_->filter_cb->currentText(), fill_piece(e->piece, n, v, l1, l3));
    {
        QSignalBlocker quiet(ui_->filter_cb);
        ui_->filter_cb->setEditText(text);
    }
    filter_timer_->stop();
    filter_changed();
}

void data_view::post_entry(const char *slot)
{
    const builder_entry *e = find_entry(slot);
    QString n, v, l1, l3;
    if (!e || !cell_parts(n, v, l1, l3)) return;
    const post_join mode = post_append_->isChecked() ? post_join::append : post_join::replace;
    const QString text =
        join_post(mode, ui_->post_cb->currentText(), fill_piece(e->piece, n, v, l1, l3));
    {
        QSignalBlocker quiet(ui_->post_cb);
        ui_->post_cb->setEditText(text);
    }
    post_timer_->stop();
    post_changed();
}

#define FILTER_SLOT(name)                                                                          \
    void data_view::name(bool)                                                                     \
    {                                                                                              \
        filter_entry(#name);                                                                       \
    }
#define POST_SLOT(name)                                                                            \
    void data_view::name(bool)                                                                     \
    {                                                                                              \
        post_entry(#name);                                                                         \
    }

FILTER_SLOT(ftr_eq)
FILTER_SLOT(ftr_nq)
FILTER_SLOT(ftr_lt)
FILTER_SLOT(ftr_le)
FILTER_SLOT(ftr_gt)
FILTER_SLOT(ftr_ge)
FILTER_SLOT(ftr_ltgt)
FILTER_SLOT(ftr_legt)
FILTER_SLOT(ftr_ltge)
FILTER_SLOT(ftr_lege)
FILTER_SLOT(ftr_min)
FILTER_SLOT(ftr_max)
FILTER_SLOT(ftr_min_k)
FILTER_SLOT(ftr_max_k)
FILTER_SLOT(ftr_in_set)
FILTER_SLOT(ftr_in_tab)
FILTER_SLOT(ftr_fst)
FILTER_SLOT(ftr_lst)
FILTER_SLOT(ftr_fst_k)
FILTER_SLOT(ftr_lst_k)
FILTER_SLOT(ftr_nth_k)
FILTER_SLOT(ftr_range)

POST_SLOT(post_asc)
POST_SLOT(post_dsc)
POST_SLOT(post_prj)
POST_SLOT(post_epj)
POST_SLOT(post_ren)
POST_SLOT(post_com)
POST_SLOT(post_grp)
POST_SLOT(post_fst)
POST_SLOT(post_lst)
POST_SLOT(post_fst_k)
POST_SLOT(post_lst_k)
POST_SLOT(post_nth_k)
POST_SLOT(post_range)
POST_SLOT(post_line_inr)
POST_SLOT(post_line_adj)
POST_SLOT(post_line_int)
POST_SLOT(post_exts)
POST_SLOT(post_nxts)
