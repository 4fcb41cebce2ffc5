// Find and replace in one editor's text. Every search collects all matches and shows
// them as the buffer's marks; the commands then pick one of them.
#pragma once

#include "editor/text_match.h"

#include <QDialog>

#include <memory>

namespace Ui {
class search_dlg;
}
class editor;
class text_buffer;

class search_dlg : public QDialog {
    Q_OBJECT
public:
    explicit search_dlg(editor *ed);
    ~search_dlg() override;

    // Opens (window-modal, focus in the target) in find or in replace mode.
    void open_for(bool replace_mode, const QString &target);

    bool wrapped() const { return wrapped_; }
    text_range last_match() const { return last_match_; }

    // The parameters the form holds now.
    std::string pattern() const;
    int mode() const;
    int flags() const;
    bool only_selection() const;

signals:
    void replaced();

public slots:
    void search_all(bool notinfo = false);
    void next(bool = false);
    void prev(bool = false);
    void replace(bool = false);
    void replace_all(bool = false);
    void target_changed(const QString &text);
    void show_top();
    void reject() override;

private:
    // Collects the matches (whole text or inside the selections), stores them as the marks
    // and returns them. On an invalid pattern the marks stay, nothing is returned and, unless
    // quiet, a box names the error.
    bool collect(range_list &out, bool quiet);
    void step(bool forward);
    bool find_forward();
    bool find_backward();

    std::unique_ptr<Ui::search_dlg> ui_;
    editor *ed_;
    bool wrapped_ = false;
    text_range last_match_{0, 0};
};
