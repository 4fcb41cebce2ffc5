// Find and replace in one editor's text. Every search collects all matches and shows
// them as the buffer's marks; the commands then pick one of them.
#pragma once

#include "editor/search_host.h"
#include "editor/text_match.h"

#include <QDialog>

#include <memory>

namespace Ui {
class search_dlg;
}
class search_dlg : public QDialog, public search_panel {
    Q_OBJECT
public:
    // Made for one host (the host's child), which it attaches itself to.
    explicit search_dlg(search_host *host);
    ~search_dlg() override;

    // Opens (window-modal, focus in the target) in find or in replace mode.
    void open_for(bool replace_mode, const QString &target) override;
    bool is_open() const override { return !isHidden(); }

    bool wrapped() const { return stepper_.wrapped; }
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
    // Makes m the current match: selects it (or, searching only the selections, keeps it
    // as the one Replace works on) and puts the cursor to its start.
    void go_to(const text_range &m);

    std::unique_ptr<Ui::search_dlg> ui_;
    search_host *host_;
    find_stepper stepper_;
    text_range last_match_{0, 0};
};
