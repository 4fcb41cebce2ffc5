// The script editor widget: paints its own text, keeps a text_buffer and re-parses the
// script after changes so that highlighting follows the grammar.
#pragma once

#include "editor/search_host.h"
#include "editor/text_buffer.h"
#include "lang/incremental_parse.h"
#include "lang/parser.h"

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QPainter;
class QPagedPaintDevice;

// The main window's edit actions that an editor drives the enabled state of and shows as
// its context menu. Any of them may be null; one deleted by its owner reads as null.
struct editor_actions {
    QPointer<QAction> cut, copy, paste, redo, undo, goto_err, goto_lineb, goto_linee;
    QPointer<QAction> goto_wordb, goto_worde, del_sel, sel_beside, sel_all, sel_line, sel_word;
    QPointer<QAction> find, replace, exec_sel, exec_cur, format_sel, save, save_all;
};

class editor : public QWidget, public search_host {
    Q_OBJECT
public:
    enum select_state_t { dragging = 0, anchored = 1, idle = 2 };

    // Texts of this size and more are not parsed.
    static constexpr int32_t no_parse_size = 4194304;

    explicit editor(QWidget *parent = nullptr);
    ~editor() override;

    text_buffer &buffer() override { return buf_; }
    const text_buffer &buffer() const { return buf_; }

    // Replaces the whole content: cursor at 0, empty undo log, re-parse, textChanged.
    void set_text(const QString &text);
    void set_text_utf8(std::string bytes);
    QString text() const;

    // --- state others read ---------------------------------------------------------------
    int select_state() const { return select_state_; }
    int32_t anchor() const { return anchor_; }
    int click_stage() const { return click_stage_; }
    int blink_phase() const { return blink_phase_; }
    int32_t failure_position() const { return failure_pos_; }
    // Whether the last parse stopped short of the end of the text it was given.
    bool parse_failed() const { return parse_failed_; }
    const std::vector<int32_t> &line_index() const { return line_index_; }
    int line_count() const { return static_cast<int>(line_index_.size()); }
    int current_line() const;
    QPoint cursor_pixel() const { return cursor_px_; }
    // The statements of the current text (offsets from statement_list::offset).
    const lang::statement_list &statements() const { return parse_.statements(); }
    // Whether the statements follow the text (texts past no_parse_size are not parsed).
    bool parse_current() const { return parsed_; }
    int parse_count() const { return parse_count_; }
    // Bytes the last re-parse matched anew.
    uint64_t reparsed_bytes() const { return parse_.reparsed_bytes(); }

    // Cell geometry from the configuration (at least one pixel each).
    static int cell_width();
    static int line_height();

    // The part of the editor the scroll area shows, as it reports it: the rectangle's x and
    // y are the negated offsets of the visible part. Until a report, the whole widget.
    void set_visible_rect(const QRect &r);
    QRect visible_area() const;

    // Byte offset under a point in editor coordinates.
    int32_t hit_test(const QPoint &p) const;

    void set_actions(const editor_actions &actions);
    void refresh_actions();

    // The find and replace panel that find() and replace() open; the commands are off
    // without one. A panel attaches itself when it is made for this editor.
    void attach_search(search_panel *panel) override;
    search_panel *search() const { return search_; }

    // Called after text typed from the keyboard or an input method was inserted; the
    // completion popup plugs in here.
    void set_completion_hook(std::function<void(editor *)> hook)
    {
        completion_hook_ = std::move(hook);
    }

    // Rebuilds line_index, resizes the widget to its content and stores the cursor's pixel
    // position.
    void layout_text();

    // Paints the text (no cursor) onto a printer-like device, as the print action does.
    void render_to(QPagedPaintDevice *device);
    // Asks for a printer with the print dialog and prints.
    void print();

    // Puts the cursor to p, clears selections and emits lineChanged (used by find).
    void set_cursor(int32_t p);

    // After a change made from outside the widget (find and replace): re-parse, re-layout,
    // signal and refresh.
    void text_edited() override;
    void cursor_moved();
    void show_match() override;
    void marks_changed() override;
    void search_closed() override;
    QWidget *host_widget() override { return this; }

signals:
    void textChanged();
    void lineChanged();

public slots:
    void change_cursor();
    void show_cursor();
    void reset_word();
    void auto_sel(const QString &text);
    void auto_not_found();
    void auto_char_add(const char &c);
    void auto_char_del();
    void auto_parse();
    void start_parse();

    // Edit commands (the bool is ignored).
    void cut(bool = false);
    void copy(bool = false);
    void paste(bool = false);
    void undo(bool = false);
    void redo(bool = false);
    void goto_err(bool = false);
    void goto_lineb(bool = false);
    void goto_linee(bool = false);
    void goto_wordb(bool = false);
    void goto_worde(bool = false);
    void del_sel(bool = false);
    void sel_beside(bool = false);
    void sel_all(bool = false);
    void sel_line(bool = false);
    void sel_word(bool = false);
    void format_sel(bool = false);
    void find(bool = false);
    void replace(bool = false);

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override;
    void paintEvent(QPaintEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void keyReleaseEvent(QKeyEvent *ev) override;
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void inputMethodEvent(QInputMethodEvent *ev) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent *ev) override;
    void focusOutEvent(QFocusEvent *ev) override;

private:
    void parse_now();
    void update_lines();
    void paint_text(QPainter &p, const QRect &area, bool with_cursor);
    // Theme slot of the byte at p; [leaf_begin, leaf_end) is set to the terminal leaf the
    // answer holds for, or left empty.
    int style_slot_at(int32_t p, int32_t *leaf_begin, int32_t *leaf_end) const;
    void sync_settings();
    void after_text_change();
    void after_move();
    void typed(std::string_view bytes);
    void select_from_anchor();
    void zoom(int delta);
    void open_search(bool replace_mode);

    text_buffer buf_;
    int select_state_ = idle;
    int32_t anchor_ = 0;
    int blink_phase_ = 1;
    int click_stage_ = 0;
    int32_t click_pos_ = -1;
    int32_t failure_pos_ = 0;
    bool parse_failed_ = false;
    std::vector<int32_t> line_index_{0};
    size_t longest_ = 0; // bytes of the longest line, its line feed included
    QPoint cursor_px_;
    QRect visible_;
    bool visible_set_ = false;

    // Follows the text through its edits; its trees keep their own copies of their bytes,
    // so they never point into a buffer that an edit has moved or freed.
    lang::incremental_parse parse_;
    bool parsed_ = false; // whether parse_ follows the text (not past no_parse_size)
    int parse_count_ = 0;

    QTimer blink_timer_;
    QTimer word_timer_;

    editor_actions actions_;
    bool actions_added_ = false;
    bool clipboard_has_text_ = false;
    search_panel *search_ = nullptr;
    std::function<void(editor *)> completion_hook_;
};
