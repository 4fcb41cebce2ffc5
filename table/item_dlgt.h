#pragma once
// Cell delegates: one per column type. A delegate writes a cell value as the text the
// grid shows and generated SQL uses (to_text), reads a text back (from_text) and makes
// the typed editor of a cell.

#include <QItemDelegate>
#include <QString>
#include <QVariant>

class item_dlgt : public QItemDelegate {
public:
    explicit item_dlgt(QObject *parent = nullptr);

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    virtual QString to_text(const QVariant &value) const;
    virtual QVariant from_text(const QString &text) const;

    bool read_only() const { return read_only_; }
    void set_read_only(bool on) { read_only_ = on; }
    int display_mode() const { return display_mode_; }
    bool sign_flag() const { return sign_flag_; }
    bool suffix_flag() const { return suffix_flag_; }
    void set_display_mode(int mode) { display_mode_ = mode; }
    void set_sign_flag(bool on) { sign_flag_ = on; }
    void set_suffix_flag(bool on) { suffix_flag_ = on; }

    // The number display modes offered by the data view.
    void set_bin(); // binary digits, no sign, no suffix
    void set_dec(); // decimal, no sign, no suffix
    void set_hex(); // hexadecimal, no sign, no suffix
    void set_nor(); // hexadecimal with sign and suffix: the literal as it stands in SQL
    // "Bin", "Dec", "Hex" or "Nor"; false for any other name (nothing changes).
    bool set_number_mode(const QString &name);

protected:
    // Font, alignment, read-only state and size shared by every editor.
    void prepare_editor(QWidget *editor, const QStyleOptionViewItem &option) const;

private:
    bool read_only_ = false;
    int display_mode_ = 2;
    bool sign_flag_ = false;
    bool suffix_flag_ = false;
};

class int_item_dlgt : public item_dlgt {
public:
    explicit int_item_dlgt(int kind = 0, QObject *parent = nullptr);
    int kind() const { return kind_; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;

private:
    int kind_;
};

class float_item_dlgt : public item_dlgt {
public:
    explicit float_item_dlgt(QObject *parent = nullptr) : item_dlgt(parent) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;
};

class double_item_dlgt : public item_dlgt {
public:
    explicit double_item_dlgt(QObject *parent = nullptr) : item_dlgt(parent) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;
};

class string_item_dlgt : public item_dlgt {
public:
    explicit string_item_dlgt(int max_bytes = 4, QObject *parent = nullptr);
    int max_bytes() const { return max_bytes_; }
    void set_max_bytes(int n) { max_bytes_ = n; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;

private:
    int max_bytes_;
};

class date_item_dlgt : public item_dlgt {
public:
    explicit date_item_dlgt(QObject *parent = nullptr) : item_dlgt(parent) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;
};

class time_item_dlgt : public item_dlgt {
public:
    explicit time_item_dlgt(QObject *parent = nullptr) : item_dlgt(parent) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;
};

class datetime_item_dlgt : public item_dlgt {
public:
    explicit datetime_item_dlgt(QObject *parent = nullptr) : item_dlgt(parent) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QString to_text(const QVariant &value) const override;
    QVariant from_text(const QString &text) const override;
};
