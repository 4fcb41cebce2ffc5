// The narrow interface between find and replace and the text they work on. The editor is
// a search_host; the find and replace dialog is a search_panel that the host opens.
#pragma once

class QString;
class QWidget;
class text_buffer;

class search_panel {
public:
    virtual void open_for(bool replace_mode, const QString &target) = 0;
    virtual bool is_open() const = 0;

protected:
    ~search_panel() = default;
};

class search_host {
public:
    virtual text_buffer &buffer() = 0;
    // The cursor or the selection moved to a match: scroll it into view and repaint.
    virtual void show_match() = 0;
    // The text changed under the search: lay it out again and tell listeners.
    virtual void text_edited() = 0;
    // Only the marks changed.
    virtual void marks_changed() = 0;
    // The panel was closed.
    virtual void search_closed() = 0;
    // The widget a panel belongs to (its parent, so that it lives as long as the host).
    virtual QWidget *host_widget() = 0;
    // The panel that the host's find and replace commands open.
    virtual void attach_search(search_panel *panel) = 0;

protected:
    ~search_host() = default;
};
