// The completion popup: a small list under the cursor that takes the keyboard, forwards what
// is typed to the editor, narrows itself and sends the rest of the chosen word on acceptance.
#pragma once

#include <QByteArray>
#include <QListWidget>

#include <string>
#include <vector>

class editor;
struct completion_names;

class auto_list : public QListWidget {
    Q_OBJECT
public:
    // Most rows shown at once; a longer list scrolls.
    static constexpr int max_rows = 15;

    auto_list(const std::vector<std::string> &candidates, int prefix_length,
              QWidget *parent = nullptr);

    // Runs the completion check after text was typed into `ed` and opens a popup on it when
    // anything fits. Returns the popup, or null.
    static auto_list *open_on(editor *ed, const completion_names &names);

    const QByteArray &typed() const { return typed_; }
    int prefix_length() const { return prefix_; }
    QStringList shown_words() const;

signals:
    void sel(const QString &text);
    void not_found();
    void char_add(const char &c);
    void char_del();

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void focusOutEvent(QFocusEvent *ev) override;

private:
    void refilter();
    void accept_current();
    void close_popup();
    // Whether accepting would add nothing the user asked for: no word was begun and none
    // typed in the popup, or the current word is already written out in full.
    bool nothing_to_accept() const;
    // Closes the popup and hands the key to the editor.
    void pass_on(QKeyEvent *ev);
    void move_current(int delta);

    std::vector<QByteArray> all_;
    std::vector<QByteArray> shown_;
    int prefix_;
    QByteArray typed_;
    bool closing_ = false;
};
