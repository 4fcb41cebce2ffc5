#include "sys_pre_dlg.h"
#include "ui_sys_pre_dlg.h"

#include "code_font.h"
#include "editor/editor.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidgetItem>
#include <QScrollBar>

#include <algorithm>

#include <cstring>

namespace {

// The list shows the categories in this order; each row edits the slot beside it.
struct category_row {
    const char *text;
    int slot;
};
const category_row category_rows[] = {
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "default"), slot_default},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "default keyword"), slot_default_keyword},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "read keyword"), slot_read_keyword},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "write keyword"), slot_write_keyword},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "post keyword"), slot_post_keyword},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "function"), slot_function},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "table name"), slot_table_name},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "field name"), slot_field_name},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "constant"), slot_constant},
    {QT_TRANSLATE_NOOP("sys_pre_dlg", "comment"), slot_comment},
};
constexpr int row_count = static_cast<int>(sizeof category_rows / sizeof category_rows[0]);

const char preview_text[] =
    "//test code\nselect id, sin(val) from tab where id < 10 && val == 2 order by id asc;\n"
    "insert into t(id,val) values(1,1.0);\n";

// Factors below this would give cells or lines of no size.
constexpr double factor_floor = 0.1;

bool on(int state)
{
    return state == Qt::Checked;
}

} // namespace

int sys_pre_dlg::slot_of_row(int row)
{
    return row >= 0 && row < row_count ? category_rows[row].slot : -1;
}

void sys_pre_dlg::refresh_editors()
{
    for (QWidget *w : QApplication::allWidgets()) {
        if (auto *ed = qobject_cast<editor *>(w)) {
            ed->layout_text();
            ed->update();
        }
    }
}

sys_pre_dlg::sys_pre_dlg(QWidget *parent)
    : QDialog(parent), ui(new Ui::sys_pre_dlg), snapshot_(g_config), open_files_(g_open_files),
      recent_files_(g_recent_files)
{
    ui->setupUi(this);
    setWindowTitle(tr("system preference"));
    ui->ed->set_text_utf8(preview_text);
    ui->ed->setEnabled(false);
    // The editor draws every character in a cell of one width: offer fixed-pitch faces.
    ui->font_cb->setFontFilters(QFontComboBox::MonospacedFonts);
    for (const category_row &row : category_rows) ui->theme_lw->addItem(tr(row.text));

    fill_from_record();
    enable_font_controls(false);
    ui->listWidget->setCurrentRow(0);

    connect(ui->reset_btn, &QPushButton::clicked, this, &sys_pre_dlg::theme_reset);
    connect(ui->apply_btn, &QPushButton::clicked, this, &sys_pre_dlg::apply);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &sys_pre_dlg::cancel);
    for (QRadioButton *rb : {ui->elegant_rb, ui->fresh_rb, ui->leisurely_rb})
        connect(rb, &QRadioButton::clicked, this, &sys_pre_dlg::theme_changed);
    connect(ui->theme_lw, &QListWidget::itemClicked, this, &sys_pre_dlg::item_clicked);
    // The arrow keys choose a row as a click does.
    connect(ui->theme_lw, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item) item_clicked(item);
    });
    connect(ui->listWidget, &QListWidget::itemClicked, this, &sys_pre_dlg::page_clicked);
    connect(ui->listWidget, &QListWidget::currentRowChanged, ui->stackedWidget,
            &QStackedWidget::setCurrentIndex);
    connect(ui->italic_cb, &QCheckBox::stateChanged, this, &sys_pre_dlg::italic_changed);
    connect(ui->bold_cb, &QCheckBox::stateChanged, this, &sys_pre_dlg::bold_changed);
    connect(ui->overline_cb, &QCheckBox::stateChanged, this, &sys_pre_dlg::overline_changed);
    connect(ui->strickout_cb, &QCheckBox::stateChanged, this, &sys_pre_dlg::strickout_changed);
    connect(ui->underline_cb, &QCheckBox::stateChanged, this, &sys_pre_dlg::underline_changed);
    connect(ui->font_cb, &QFontComboBox::currentFontChanged, this, &sys_pre_dlg::font_changed);
    connect(ui->cwt, &color_wt::color_changed, this, &sys_pre_dlg::color_changed);
    connect(ui->fs_sb, QOverload<int>::of(&QSpinBox::valueChanged), this, &sys_pre_dlg::fs_changed);
    connect(ui->vf_dsb, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &sys_pre_dlg::value_changed);
    connect(ui->hf_dsb, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &sys_pre_dlg::value_changed);
}

sys_pre_dlg::~sys_pre_dlg()
{
    delete ui;
}

void sys_pre_dlg::fit_lists()
{
    // Both lists as wide as their longest translated entry, so that no entry is cut.
    QListWidget *pages = ui->listWidget;
    pages->setFixedWidth(pages->sizeHintForColumn(0) + 2 * pages->frameWidth() + 12);
    QListWidget *rows = ui->theme_lw;
    int widest = 0;
    for (int row = 0; row < rows->count(); ++row) {
        const QListWidgetItem *item = rows->item(row);
        widest = std::max(widest, QFontMetrics(item->font()).horizontalAdvance(item->text()));
    }
    rows->setMinimumWidth(widest + 2 * rows->frameWidth() +
                          rows->verticalScrollBar()->sizeHint().width() + 12);
}

void sys_pre_dlg::fill_from_record()
{
    const sys_config &c = snapshot_;
    const QSignalBlocker b1(ui->vf_dsb), b2(ui->hf_dsb);
    ui->vf_dsb->setValue(double(c.ver_factor));
    ui->hf_dsb->setValue(double(c.hor_factor));
    ui->elegant_rb->setChecked(c.theme == 0);
    ui->fresh_rb->setChecked(c.theme == 1);
    ui->leisurely_rb->setChecked(c.theme == 2);
    load_rows();
    fit_lists();

    // A width typed into an older file may not be one of the offered ones; offer it too, so
    // that Apply does not change it behind the user's back.
    const QString width = QString::number(c.tab_width);
    if (ui->tab_width_cb->findText(width) < 0) ui->tab_width_cb->addItem(width);
    ui->tab_width_cb->setCurrentText(width);
    ui->insert_space_cb->setChecked(c.insert_space);
    ui->show_space_cb->setChecked(c.show_space);
    ui->edit_time_dsb->setValue(double(c.edit_time));
    ui->cursor_width_sb->setValue(c.cursor_width);
    ui->auto_enable_cb->setChecked(c.auto_enable);
    ui->least_count_sb->setValue(c.least_count);
    ui->only_sql_cb->setChecked(c.only_sql);
    ui->update_cb->setChecked(c.check_update);
}

void sys_pre_dlg::load_rows()
{
    const theme_style &theme = g_config.current_theme();
    for (int row = 0; row < row_count; ++row) {
        const text_style &s = theme.styles[category_rows[row].slot];
        QListWidgetItem *item = ui->theme_lw->item(row);
        QFont font = code_font(s);
        font.setWeight(s.bold ? QFont::Bold : QFont::Normal);
        font.setStyleStrategy(QFont::PreferAntialias);
        item->setFont(font);
        item->setForeground(QColor(qBound(0, s.red, 255), qBound(0, s.green, 255),
                                   qBound(0, s.blue, 255), qBound(0, s.alpha, 255)));
    }
    refresh_editors();
}

void sys_pre_dlg::enable_font_controls(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{ui->font_cb, ui->fs_sb, ui->bold_cb,
                                                       ui->italic_cb, ui->overline_cb,
                                                       ui->underline_cb, ui->strickout_cb, ui->cwt})
        w->setEnabled(enabled);
}

int sys_pre_dlg::checked_theme() const
{
    if (ui->elegant_rb->isChecked()) return 0;
    if (ui->fresh_rb->isChecked()) return 1;
    if (ui->leisurely_rb->isChecked()) return 2;
    return -1;
}

void sys_pre_dlg::item_clicked(QListWidgetItem *item)
{
    if (!item) return;
    enable_font_controls(true);
    const QFont f = item->font();
    // Loading the controls must not write the row back.
    const QSignalBlocker b1(ui->font_cb), b2(ui->italic_cb), b3(ui->bold_cb), b4(ui->overline_cb),
        b5(ui->strickout_cb), b6(ui->underline_cb), b7(ui->fs_sb);
    ui->font_cb->setCurrentFont(f);
    ui->italic_cb->setChecked(f.style() != QFont::StyleNormal);
    ui->bold_cb->setChecked(f.weight() >= 58);
    ui->overline_cb->setChecked(f.overline());
    ui->strickout_cb->setChecked(f.strikeOut());
    ui->underline_cb->setChecked(f.underline());
    ui->fs_sb->setValue(f.pointSize());
    ui->cwt->set_color(item->foreground().color());
}

void sys_pre_dlg::page_clicked(QListWidgetItem *item)
{
    if (item) ui->stackedWidget->setCurrentIndex(ui->listWidget->row(item));
}

void sys_pre_dlg::store_row(QListWidgetItem *item)
{
    const int slot = slot_of_row(ui->theme_lw->row(item));
    if (slot < 0) return;
    text_style &s = g_config.current_theme().styles[slot];
    const QFont f = item->font();
    // The full description keeps what the flags do not; one too long for the field keeps
    // only the family, which reads back the same with the flags and size beside it.
    std::string text = f.toString().toStdString();
    if (text.size() >= sizeof s.font) text = f.family().toStdString();
    copy_text(s.font, sizeof s.font, text);
    s.point_size = f.pointSize();
    s.bold = f.weight() > 57;
    s.italic = f.style() != QFont::StyleNormal;
    s.overline = f.overline();
    s.underline = f.underline();
    s.strike_out = f.strikeOut();
    const QColor c = item->foreground().color();
    s.red = c.red();
    s.green = c.green();
    s.blue = c.blue();
    s.alpha = c.alpha();
    refresh_editors();
}

template <typename F> void sys_pre_dlg::edit_row_font(F change)
{
    QListWidgetItem *item = ui->theme_lw->currentItem();
    if (!item) return;
    QFont f = item->font();
    change(f);
    item->setFont(f);
    store_row(item);
}

void sys_pre_dlg::font_changed(const QFont &font)
{
    edit_row_font([&](QFont &f) {
        f.setFamily(font.family());
        f.setFamilies({font.family()});
    });
}

void sys_pre_dlg::italic_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setItalic(on(state)); });
}

void sys_pre_dlg::bold_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setWeight(on(state) ? QFont::Bold : QFont::Normal); });
}

void sys_pre_dlg::overline_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setOverline(on(state)); });
}

void sys_pre_dlg::strickout_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setStrikeOut(on(state)); });
}

void sys_pre_dlg::underline_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setUnderline(on(state)); });
}

void sys_pre_dlg::fs_changed(int size)
{
    if (size > 0) edit_row_font([&](QFont &f) { f.setPointSize(size); });
}

void sys_pre_dlg::color_changed(const QColor &color)
{
    QListWidgetItem *item = ui->theme_lw->currentItem();
    if (!item) return;
    item->setForeground(color);
    store_row(item);
}

void sys_pre_dlg::value_changed(double)
{
    if (ui->hf_dsb->value() >= factor_floor) g_config.hor_factor = float(ui->hf_dsb->value());
    if (ui->vf_dsb->value() >= factor_floor) g_config.ver_factor = float(ui->vf_dsb->value());
    refresh_editors();
}

void sys_pre_dlg::theme_changed(bool)
{
    const int theme = checked_theme();
    if (theme < 0) return;
    g_config.theme = theme;
    load_rows();
    if (QListWidgetItem *item = ui->theme_lw->currentItem())
        if (ui->font_cb->isEnabled()) item_clicked(item);
}

void sys_pre_dlg::theme_reset(bool)
{
    const int theme = checked_theme();
    if (theme < 0) return;
    g_config.reset_theme(theme);
    theme_changed();
}

void sys_pre_dlg::apply(bool)
{
    sys_config &c = g_config;
    if (ui->hf_dsb->value() >= factor_floor) c.hor_factor = float(ui->hf_dsb->value());
    if (ui->vf_dsb->value() >= factor_floor) c.ver_factor = float(ui->vf_dsb->value());
    const int theme = checked_theme();
    if (theme >= 0) c.theme = theme;
    bool ok = false;
    const int width = ui->tab_width_cb->currentText().toInt(&ok, 10);
    if (ok) c.tab_width = width;
    c.insert_space = ui->insert_space_cb->checkState() == Qt::Checked;
    c.show_space = ui->show_space_cb->checkState() == Qt::Checked;
    c.edit_time = float(ui->edit_time_dsb->value());
    c.cursor_width = ui->cursor_width_sb->value();
    c.auto_enable = ui->auto_enable_cb->checkState() == Qt::Checked;
    c.least_count = ui->least_count_sb->value();
    c.only_sql = ui->only_sql_cb->checkState() == Qt::Checked;
    c.check_update = ui->update_cb->checkState() == Qt::Checked;
    refresh_editors();
    accept();
}

void sys_pre_dlg::cancel(bool)
{
    reject();
}

void sys_pre_dlg::reject()
{
    std::memcpy(static_cast<void *>(&g_config), &snapshot_, sizeof g_config);
    g_open_files = open_files_;
    g_recent_files = recent_files_;
    refresh_editors();
    QDialog::reject();
}
