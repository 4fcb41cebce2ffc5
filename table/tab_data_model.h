#pragma once
// The grid model behind the data view and the script editor's result tabs. It keeps every
// row of one query in memory (one typed array per column, see typed_column.h), shows each cell
// through the delegate of its column type and records edited cells, inserted rows and deleted rows
// until they are committed as one atom_exec text (or, in immediate mode, sends each cell edit at
// once).

#include "dbl_val_item.h"
#include "item_dlgt.h"
#include "local_time_cache.h"
#include "typed_column.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QIcon>
#include <QStringList>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class db_access;

class tab_data_model : public QAbstractItemModel {
    Q_OBJECT
public:
    // The id of a row inserted in the grid and not yet committed.
    static constexpr uint64_t new_row_id = UINT64_MAX;

    tab_data_model(const QString &table, db_access *db, QObject *parent = nullptr);
    ~tab_data_model() override;

    // Refills the model from one query. `no_log` and `log_text` go to the database layer
    // unchanged. False when the query does not parse (nothing is sent) or the server
    // refused it. `editable`, when given, tells whether the result may be edited.
    bool load_rows(const QByteArray &sql, bool no_log, bool *editable, QString &log_text);
    bool load_rows(const QByteArray &sql, bool no_log = false, bool *editable = nullptr);
    // For statements taken from a parse (a script's run): load_rows sends them without
    // parsing them first, and parses only a statement that answers with columns.
    void set_parsed_statements(bool on) { parsed_statements_ = on; }

    // Sends every pending change as one atom_exec text; true when there was nothing to send.
    bool commit_changes();
    // The text commit_changes sends; empty when nothing is pending.
    QByteArray commit_text() const;
    // Sends the edit value of one cell as an update of its row.
    bool update_cell_now(int row, int column);
    QByteArray update_text(int row, int column) const;

    void set_read_only(bool on);
    bool immediate() const { return immediate_; }
    void set_immediate(bool on) { immediate_ = on; }
    // "Bin", "Dec", "Hex" or "Nor" for every delegate; the grid is repainted.
    bool set_number_mode(const QString &name);

    // For the table search: the mark byte of a cell, or null outside the table.
    uint8_t *cell_mark(int row, int column);
    // Sets or clears a cell's mark and restyles the cell (yellow while marked) as writing
    // its edit value back would, but without a signal: the caller repaints what it marked.
    // False outside the table.
    bool set_mark(int row, int column, bool on);
    bool set_cell(int row, int column, const QVariant &value, int role = Qt::EditRole);
    QVariant text_to_value(int column, const QString &text) const;

    // For the data view.
    QString type_name(int column) const;
    QByteArray display_text(const QModelIndex &index) const;
    // The display text of a cell as UTF-8, appended to `out`: the bytes data(DisplayRole)
    // gives, written straight from the stored value where the column keeps it in a form
    // that is cheap to write (texts, numbers in the current display mode, dates and times),
    // through the delegate for every other cell. Nothing for a cell outside the table.
    void append_display_text(int row, int column, std::string &out) const;
    bool column_read_only(int column) const;
    item_dlgt *column_delegate(int column) const;
    item_dlgt *delegate_of(const QString &type_name) const;
    QString column_name(int column) const; // as the result gives it
    uint64_t row_id(int row) const;
    const std::vector<uint64_t> &row_ids() const { return row_ids_; }
    const std::set<uint64_t> &deleted_ids() const { return deleted_ids_; }
    int modified_count() const { return modified_count_; }
    int new_count() const { return new_count_; }
    int deleted_count() const { return int(deleted_ids_.size()); }
    const QString &table_name() const { return table_; }

    // Whether a query's result may be edited: not when it is post-processed by a filter,
    // group, recompute, project or rename clause. False for a text that does not parse.
    static bool query_editable(const QByteArray &sql);
    static QString type_icon_path(const QString &type_name);
    static QIcon type_icon(const QString &type_name);
    static QVariant default_value(const QString &type_name);
    static QByteArray value_literal(const QString &type_name, const QString &text);

    QModelIndex index(int row, int column,
                      const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

signals:
    void changed(const bool &pending);

private:
    // Cells are addressed in the side structures by their stored row, which sorting,
    // inserting and removing never change: rows of the result are 0 .. loaded_rows_ - 1,
    // rows inserted in the grid are numbered on from there.
    uint64_t cell_key(uint32_t stored, int column) const
    {
        return uint64_t(stored) * columns_.size() + uint64_t(column);
    }
    bool in_table(int row, int column) const
    {
        return row >= 0 && column >= 0 && size_t(column) < columns_.size() &&
               size_t(row) < order_.size();
    }
    const dbl_val_item *extra(uint32_t stored, int column) const;
    dbl_val_item &extra_for(uint32_t stored, int column);
    QVariant base_value(uint32_t stored, int column) const;
    QVariant edit_value(int row, int column) const;
    QVariant shown_value(int row, int column) const;
    bool is_modified(uint32_t stored, int column, const dbl_val_item &x) const;
    std::vector<int> ascending_order(int column) const;
    void clear_all();
    void restyle(uint32_t stored, int column, dbl_val_item &x);
    void changed_rule();
    bool is_new_row(int row) const;
    QByteArray quoted_column(int column) const;
    QString cell_text(int row, int column) const;
    void plan_texts();
    bool shows_loaded_value(uint32_t stored, int column) const;
    bool append_loaded_text(uint32_t stored, int column, std::string &out) const;

    db_access *db_;
    std::map<QString, std::unique_ptr<item_dlgt>> delegates_;
    QString table_;
    // The loaded values, one typed array per column.
    std::vector<typed_column> columns_;
    std::vector<item_dlgt *> column_delegates_;
    std::vector<dbl_val_item> headers_;
    // Shown row to stored row, and the row ids in shown order.
    std::vector<uint32_t> order_;
    std::vector<uint64_t> row_ids_;
    uint32_t loaded_rows_ = 0;
    uint32_t next_row_ = 0;
    QStringList types_;
    int modified_count_ = 0;
    std::set<uint64_t> deleted_ids_;
    int new_count_ = 0;
    bool immediate_ = false;
    bool parsed_statements_ = false;
    // Only cells that were edited, styled or given other roles have an item here; an item
    // keeps its address until its cell is removed or the model reloaded.
    std::unordered_map<uint64_t, dbl_val_item> extras_;
    // Search marks by column and stored row. A column gets its bytes only once a mark of it
    // is asked for: the table search reads the mark of every cell it clears, and a byte per
    // cell costs less than an entry per cell in a map.
    std::vector<std::vector<uint8_t>> marks_;
    struct cell_styles {
        QVariant font[4]; // by inserted row (2) and modified (1)
        QVariant back[3]; // white, modified, marked
    };
    std::unique_ptr<cell_styles> styles_;
    // How each column's loaded values are written as display text without their delegate.
    enum class text_way : uint8_t { delegate, bytes, integer, real, date, time, datetime };
    std::vector<text_way> text_ways_;
    // Which days of the local zone have no daylight-saving change, for display texts.
    mutable local_time_cache zone_;
};
