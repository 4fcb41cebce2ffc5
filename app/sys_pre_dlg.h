// The preferences dialog. Highlighting styles and the editor's cell factors change the
// settings record at once (the preview and every open editor show them); the other settings
// are written by Apply. Cancel, Escape and the window frame put the whole record back as it
// was when the dialog opened.
#pragma once

#include "sys_config.h"

#include <QDialog>
#include <QFont>

#include <string>
#include <vector>

class QListWidgetItem;

namespace Ui {
class sys_pre_dlg;
}

class sys_pre_dlg : public QDialog {
    Q_OBJECT
public:
    explicit sys_pre_dlg(QWidget *parent = nullptr);
    ~sys_pre_dlg() override;

    // The theme slot that category row `row` of the style list edits; -1 outside 0..9.
    static int slot_of_row(int row);

    // Lays out and repaints every editor of the program, so that a changed style or factor
    // shows at once, even in windows behind this one.
    static void refresh_editors();

public slots:
    void apply(bool = false);
    void cancel(bool = false);
    void theme_reset(bool = false);
    void theme_changed(bool = false);
    void item_clicked(QListWidgetItem *item);
    void page_clicked(QListWidgetItem *item);
    void font_changed(const QFont &font);
    void italic_changed(int state);
    void bold_changed(int state);
    void overline_changed(int state);
    void strickout_changed(int state);
    void underline_changed(int state);
    void fs_changed(int size);
    void color_changed(const QColor &color);
    void value_changed(double);

    // Cancel, Escape and the window frame all end here.
    void reject() override;

private:
    void fill_from_record();
    void fit_lists();
    void load_rows();
    void enable_font_controls(bool on);
    int checked_theme() const;
    // Changes the current row's font, stores the row into its slot and repaints.
    template <typename F> void edit_row_font(F change);
    void store_row(QListWidgetItem *item);

    Ui::sys_pre_dlg *ui;
    sys_config snapshot_;
    std::vector<std::string> open_files_;
    std::vector<std::string> recent_files_;
};
