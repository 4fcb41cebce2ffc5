#include "editor/sql_script_editor.h"

#include "ui_sql_script_editor.h"

#include "db_access.h"
#include "editor/auto_list.h"
#include "editor/editor.h"
#include "editor/linenumber_wt.h"
#include "editor/run_progress_wt.h"
#include "editor/scrollarea.h"
#include "editor/scrollbar.h"
#include "lang/sql_engine.h"
#include "msg_box.h"
#include "import_csv_dlg.h"
#include "search_tab_dlg.h"
#include "tab_data_model.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTabBar>
#include <QTableView>
#include <QWheelEvent>

namespace {

const char statement_prop[] = "vela_statement";
const char ms_prop[] = "vela_ms";

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

QByteArray trimmed(const std::string &s)
{
    size_t b = 0, e = s.size();
    while (b < e && is_blank(s[b])) ++b;
    while (e > b && is_blank(s[e - 1])) --e;
    return QByteArray(s.data() + b, int(e - b));
}

sql_script_editor::export_asker &asker()
{
    static sql_script_editor::export_asker a;
    return a;
}

// Keeps keys, clicks and typed text away from the editor while its script runs: the run
// works on a copy of the statements, but an edit would still be an edit of a running script.
class run_input_filter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *ev) override
    {
        switch (ev->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

sql_script_editor::sql_script_editor(db_access *db, const QString &text, QWidget *parent)
    : QWidget(parent), ui(new Ui::sql_script_editor), db_(db)
{
    build(text.toUtf8());
}

sql_script_editor::sql_script_editor(db_access *db, const QByteArray &bytes, QWidget *parent)
    : QWidget(parent), ui(new Ui::sql_script_editor), db_(db)
{
    build(bytes);
}

sql_script_editor::~sql_script_editor()
{
    delete ui;
}

void sql_script_editor::build(const QByteArray &bytes)
{
    ui->setupUi(this);
    setFocusPolicy(Qt::StrongFocus);

    content_ = new QWidget;
    gutter_ = new linenumber_wt(content_);
    editor_ = new editor(content_);
    editor_->setObjectName(QStringLiteral("sql script editor"));
    editor_->resize(800, 600);
    editor_->resize(800, 200);
    area_ = new scrollarea(true, true, this);
    area_->setObjectName(QStringLiteral("script_area"));
    area_->setMinimumHeight(200);
    area_->set_widget(content_);
    area_->set_pinned(gutter_);
    ui->sg->addWidget(area_, 0, 0, 1, 3);

    connect(area_, &scrollarea::change_geo, this, &sql_script_editor::update_ed_geo);
    connect(editor_, &editor::textChanged, this, &sql_script_editor::change_layout);
    connect(editor_, &editor::lineChanged, this, &sql_script_editor::change_layout);
    connect(editor_, &editor::textChanged, this, &sql_script_editor::textChanged);
    connect(ui->exec_btn, &QPushButton::clicked, this, &sql_script_editor::exec_sql);

    QTabWidget *tabs = ui->tabWidget;
    tabs->hide();
    tabs->setUsesScrollButtons(true);
    copy_act_ = new QAction(tr("copy current text"), this);
    close_all_act_ = new QAction(tr("close all"), this);
    close_cur_act_ = new QAction(tr("close current"), this);
    export_act_ = new QAction(tr("export current data"), this);
    copy_act_->setObjectName(QStringLiteral("copy_tab_act"));
    close_all_act_->setObjectName(QStringLiteral("close_all_tab_act"));
    close_cur_act_->setObjectName(QStringLiteral("close_tab_act"));
    export_act_->setObjectName(QStringLiteral("export_data_act"));
    tabs->tabBar()->setContextMenuPolicy(Qt::ActionsContextMenu);
    tabs->tabBar()->addActions({copy_act_, close_all_act_, close_cur_act_, export_act_});
    connect(copy_act_, &QAction::triggered, this, qOverload<bool>(&sql_script_editor::copy_tab));
    connect(close_all_act_, &QAction::triggered, this, &sql_script_editor::close_all_tab);
    connect(close_cur_act_, &QAction::triggered, this,
            qOverload<bool>(&sql_script_editor::close_tab));
    connect(export_act_, &QAction::triggered, this, &sql_script_editor::export_data);
    connect(tabs, &QTabWidget::tabCloseRequested, this,
            qOverload<int>(&sql_script_editor::close_tab));
    connect(tabs, &QTabWidget::currentChanged, this,
            [this](int) { emit result_status(result_summary()); });

    own_progress_ = new run_progress_wt(this);
    progress_ = own_progress_;
    own_progress_->hide();

    editor_->set_completion_hook([this](editor *ed) { auto_list::open_on(ed, names_); });
    editor_->set_text_utf8(bytes.toStdString());
    change_layout();
}

QString sql_script_editor::script_text() const
{
    return editor_->text();
}

QByteArray sql_script_editor::script_bytes() const
{
    const std::string &t = editor_->buffer().text();
    return QByteArray(t.data(), int(t.size()));
}

QTabWidget *sql_script_editor::result_tabs() const
{
    return ui->tabWidget;
}

QPushButton *sql_script_editor::exec_button() const
{
    return ui->exec_btn;
}

void sql_script_editor::set_progress(run_progress_wt *progress)
{
    progress_ = progress ? progress : own_progress_;
}

bool sql_script_editor::running() const
{
    return progress_ && progress_->running();
}

// --- layout --------------------------------------------------------------------------------

void sql_script_editor::update_ed_geo(const QRect &rect)
{
    const QRect v(rect.topLeft(), area_->viewport_size());
    gutter_->set_visible_rect(v);
    editor_->set_visible_rect(v);
    gutter_->update();
    editor_->update();
}

void sql_script_editor::textChanged() {}

void sql_script_editor::change_layout()
{
    gutter_->set_line_count(editor_->line_count());
    gutter_->set_current_line(editor_->current_line());
    const int x = gutter_->width() + 2;
    editor_->move(x, 0);
    content_->resize(x + editor_->width(), std::max(editor_->height(), gutter_->height()));
    area_->ensure_visible(
        QRect(editor_->cursor_pixel() + QPoint(x, 0), QSize(1, editor::line_height())));
}

void sql_script_editor::focusInEvent(QFocusEvent *)
{
    editor_->setFocus();
}

void sql_script_editor::mousePressEvent(QMouseEvent *ev)
{
    QMouseEvent mapped(ev->type(), editor_->mapFrom(this, ev->pos()), ev->button(), ev->buttons(),
                       ev->modifiers());
    QApplication::sendEvent(editor_, &mapped);
}

void sql_script_editor::mouseDoubleClickEvent(QMouseEvent *ev)
{
    QMouseEvent mapped(ev->type(), editor_->mapFrom(this, ev->pos()), ev->button(), ev->buttons(),
                       ev->modifiers());
    QApplication::sendEvent(editor_, &mapped);
}

void sql_script_editor::wheelEvent(QWheelEvent *ev)
{
    if (editor_->hasFocus() && area_->vertical_bar()) area_->vertical_bar()->wheel(ev);
}

// --- statements ------------------------------------------------------------------------------

std::vector<QByteArray> sql_script_editor::statement_texts(const lang::statement_list &list,
                                                           bool one_line)
{
    const lang::sql_engine &engine = lang::sql_engine::instance();
    std::vector<QByteArray> out;
    out.reserve(list.size());
    for (const lang::parse_node *tree : list) {
        QByteArray s = trimmed(engine.normalise_statement(tree, true, one_line));
        if (!s.isEmpty()) out.push_back(std::move(s));
    }
    return out;
}

void sql_script_editor::exec_sql()
{
    if (running()) return;
    close_all_tab();
    const std::string &text = editor_->buffer().text();
    std::vector<QByteArray> list;
    if (editor_->parse_current()) {
        list = statement_texts(editor_->statements(), false);
    } else {
        // The editor parses long texts late and the longest not at all; the run must see
        // the script as it stands.
        lang::statement_list parsed;
        lang::sql_engine::instance().parse_all(text.data(), text.size(), parsed);
        list = statement_texts(parsed, false);
    }
    exec(list);
    show_tabs_by_count();
    editor_->setFocus();
}

void sql_script_editor::run_text(const QByteArray &text)
{
    if (text.isEmpty() || running()) return;
    lang::statement_list parsed;
    const int32_t stop =
        lang::sql_engine::instance().parse_all(text.constData(), uint64_t(text.size()), parsed);
    if (stop < text.size()) {
        inform(this, tr("sql parse failed"), tr("the sql parsed failed at position: %1").arg(stop));
        return;
    }
    exec(statement_texts(parsed, true));
    show_tabs_by_count();
    editor_->setFocus();
}

void sql_script_editor::exec_sel(bool)
{
    const std::string s = editor_->buffer().selected_text();
    run_text(QByteArray(s.data(), int(s.size())));
}

void sql_script_editor::exec_cur(bool)
{
    const text_buffer &b = editor_->buffer();
    const text_range line = b.line_at(b.cursor());
    const std::string_view s = b.slice(line.begin, line.end);
    run_text(QByteArray(s.data(), int(s.size())));
}

bool sql_script_editor::exec(const std::vector<QByteArray> &statements)
{
    run_progress_wt *prog = progress_ ? progress_.data() : own_progress_;
    int total = 0;
    for (const QByteArray &s : statements)
        if (!s.isEmpty()) ++total;
    if (!prog->begin(total)) return false;
    lock_for_run(true);

    // Log lines are gathered and handed over in batches.
    std::vector<QString> gathered;
    auto hand_over = [&] {
        if (db_) db_->append_log(gathered);
        gathered.clear();
    };

    // A statement without columns leaves its model unused; the next statement reuses it
    // instead of building another set of delegates.
    tab_data_model *spare = nullptr;
    int i = 0;
    bool ok = true;
    QString failed, reason;
    bool stopped = false;
    for (const QByteArray &s : statements) {
        if (s.isEmpty()) continue;
        if (i % 8192 == 0) hand_over();
        tab_data_model *model = spare ? spare : new tab_data_model(QString(), db_);
        model->set_parsed_statements(true);
        spare = nullptr;
        QString line;
        QElapsedTimer clock;
        clock.start();
        const bool ran = model->load_rows(s, true, nullptr, line);
        const qint64 ms = clock.elapsed();
        gathered.push_back(line);
        ++i;
        if (!ran) {
            delete model;
            ok = false;
            failed = QString::fromUtf8(s);
            reason = db_access::last_reason();
            break;
        }
        if (model->columnCount() > 0)
            add_result_tab(model, s, ms);
        else
            spare = model;
        if (!prog->step(i) && i < total) {
            stopped = true;
            break;
        }
    }
    delete spare;
    hand_over();
    prog->end();
    lock_for_run(false);

    if (!ok) {
        inform(this, tr("execute infomation"), tr("the sql \"%1\" execute failed!").arg(failed),
               msg_kind::information, reason);
    } else if (stopped) {
        inform(this, tr("execute infomation"),
               tr("the run was stopped after statement %1 of %2.").arg(i).arg(total));
    } else {
        inform(this, tr("execute infomation"), tr("the sql execute sussesful total!"));
    }
    editor_->setFocus();
    const bool all = ok && !stopped;
    emit executed(all);
    return all;
}

void sql_script_editor::lock_for_run(bool running)
{
    static_assert(sizeof(run_input_filter) > 0, "");
    if (running) {
        auto *f = new run_input_filter(this);
        f->setObjectName(QStringLiteral("run_input_filter"));
        editor_->installEventFilter(f);
    } else {
        delete findChild<run_input_filter *>(QStringLiteral("run_input_filter"),
                                             Qt::FindDirectChildrenOnly);
    }
    ui->exec_btn->setEnabled(!running);
}

void sql_script_editor::add_result_tab(tab_data_model *model, const QByteArray &statement,
                                       qint64 ms)
{
    model->set_read_only(true);
    auto *view = new QTableView;
    view->setObjectName(QStringLiteral("result_view"));
    // Rows stay in the server's order until a header is clicked.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    model->setParent(view);
    view->setModel(model);
    for (int c = 0; c < model->columnCount(); ++c)
        if (item_dlgt *d = model->column_delegate(c)) view->setItemDelegateForColumn(c, d);

    auto *find = new QAction(QIcon(QStringLiteral(":/img/find.svg")), tr("find text"), view);
    find->setObjectName(QStringLiteral("find_text_act"));
    find->setShortcut(QKeySequence(QStringLiteral("ctrl+shift+f")));
    find->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QAction::triggered, view, [view] {
        auto *dlg = view->findChild<search_tab_dlg *>(QString(), Qt::FindDirectChildrenOnly);
        if (!dlg) dlg = new search_tab_dlg(view, view);
        dlg->show(false);
    });
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    if (model->rowCount() > 0) view->addAction(find);

    const QString text = QString::fromUtf8(statement);
    view->setProperty(statement_prop, text);
    view->setProperty(ms_prop, ms);
    QString title = text;
    title.replace(QLatin1Char('&'), QLatin1String("&&")); // no mnemonics in a statement
    const int at = ui->tabWidget->addTab(view, title);
    ui->tabWidget->setTabToolTip(at, text);
    ui->tabWidget->setCurrentIndex(at);
}

void sql_script_editor::show_tabs_by_count()
{
    const bool show = ui->tabWidget->count() > 0;
    if (show && ui->tabWidget->isHidden()) {
        // Results that appear get half of the height, not the splitter's leftover.
        const int h = ui->splitter->height();
        ui->tabWidget->show();
        ui->splitter->setSizes({h / 2, h - h / 2});
        return;
    }
    ui->tabWidget->setVisible(show);
}

QString sql_script_editor::result_summary() const
{
    auto *view = qobject_cast<QTableView *>(ui->tabWidget->currentWidget());
    if (!view || !view->model()) return QString();
    return tr("%1 rows, %2 columns in %3 ms")
        .arg(view->model()->rowCount())
        .arg(view->model()->columnCount())
        .arg(view->property(ms_prop).toLongLong());
}

// --- result tabs -----------------------------------------------------------------------------

void sql_script_editor::remove_result_tab(int index)
{
    QWidget *page = ui->tabWidget->widget(index);
    ui->tabWidget->removeTab(index);
    delete page; // the view owns its model
}

void sql_script_editor::close_tab(int index)
{
    if (index < 0 || index >= ui->tabWidget->count()) return;
    remove_result_tab(index);
    show_tabs_by_count();
}

void sql_script_editor::copy_tab(bool)
{
    QWidget *page = ui->tabWidget->currentWidget();
    if (!page) return;
    QApplication::clipboard()->setText(page->property(statement_prop).toString());
}

void sql_script_editor::close_tab(bool)
{
    close_tab(ui->tabWidget->currentIndex());
}

void sql_script_editor::close_all_tab(bool)
{
    while (ui->tabWidget->count() > 0) remove_result_tab(ui->tabWidget->count() - 1);
    ui->tabWidget->hide();
}

QString sql_script_editor::export_statement(const QString &title)
{
    int end = title.size();
    while (end > 0) {
        const QChar c = title.at(end - 1);
        if (c != ';' && c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f') break;
        --end;
    }
    return title.left(end);
}

void sql_script_editor::set_export_asker(export_asker a)
{
    asker() = std::move(a);
}

bool sql_script_editor::ask_export(export_choice &choice)
{
    if (asker()) return asker()(this, choice);
    import_csv_dlg dlg(this);
    dlg.set_export_mode(true);
    dlg.set_path(choice.path);
    dlg.setWindowTitle(tr("export current windows execute result to csv/csvs file"));
    if (dlg.exec() != QDialog::Accepted) return false;
    choice.path = dlg.path();
    choice.csv = dlg.csv();
    choice.separator = dlg.separator();
    choice.replace = dlg.replace();
    return true;
}

void sql_script_editor::export_data(bool)
{
    QWidget *page = ui->tabWidget->currentWidget();
    if (!page || !db_) return;
    const QString statement = export_statement(page->property(statement_prop).toString());
    export_choice choice;
    choice.path = QStringLiteral("./export_data");
    if (!ask_export(choice)) return;
    db_->export_query(statement, choice.path, choice.csv, choice.separator, choice.replace);
}

void sql_script_editor::set_names(const QStringList &tables,
                                  const QMap<QString, QStringList> &fields)
{
    std::vector<std::string> t;
    t.reserve(size_t(tables.size()));
    for (const QString &name : tables) t.push_back(name.toStdString());
    names_.tables.assign(std::move(t));
    names_.fields.clear();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        std::vector<std::string> f;
        f.reserve(size_t(it.value().size()));
        for (const QString &name : it.value()) f.push_back(name.toStdString());
        names_.fields[it.key().toStdString()].assign(std::move(f));
    }
}
