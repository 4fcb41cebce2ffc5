// The program's one way to the server: logs in and out, runs every statement, writes the
// execution log, turns result sets into rows of variants and builds the administrative
// command texts. Nothing else in the program talks to the client library.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <vector>

// The client library's records; only db_access looks inside them.
struct result_set;
struct cell_value;

class exec_log;

using table_rows = QList<QVariantList>;

class db_access {
public:
    // `log` is the main window's execution log; it is not owned and may be null (nothing
    // is logged then).
    explicit db_access(const QByteArray &name = QByteArrayLiteral("vela_db"),
                       exec_log *log = nullptr);

    const QByteArray &name() const { return name_; }
    exec_log *log() const { return log_; }
    void set_log(exec_log *log) { log_ = log; }

    // The session: the calling thread's one connection, as in the client library. login
    // keeps its values for reconnect, which logs out and in again with them.
    static bool login(const QString &ip, int port, const QString &user, const QString &password);
    static bool reconnect();
    static void logout();
    // Why the last login or statement failed (the server's reason, or what went wrong
    // on the way); empty after a success.
    static QString last_reason();

    // Runs `sql`, builds its log line into `log_line` and, unless `no_log`, adds it to the
    // log. Returns the result set (released by the caller with release) or null.
    result_set *run_sql(const QByteArray &sql, QString &log_line, bool no_log = false);
    result_set *run_sql(const QByteArray &sql);
    // Releases a result set of run_sql; nothing for null.
    static void release(result_set *rs);

    // Puts `line` on top of the log (see exec_log::add).
    void append_log(const QString &line);
    // A run's gathered lines, the newest last; they go on top in one step.
    void append_log(const std::vector<QString> &lines);

    // Runs a query and converts its result. True when the server returned a result set.
    bool run_sql_table(const QByteArray &sql, QStringList &names, table_rows &rows,
                       QStringList &type_names, QString &log_line, bool no_log = false,
                       std::vector<uint64_t> *row_ids = nullptr);

    static void result_to_table(const result_set *rs, QStringList &names, QStringList &type_names,
                                table_rows &rows, std::vector<uint64_t> *row_ids = nullptr);
    // The bytes of a string cell; empty for every other type.
    static QByteArray cell_text(const cell_value *cell);
    // A type name from a cell's type code, width and signedness; empty for an unknown code.
    static QString type_name_of(const cell_value *cell);

    static QByteArray quote_name(const QByteArray &name);
    static QByteArray quote_str(const QByteArray &text);
    // The same for interface texts, written as UTF-8.
    static QByteArray quote_name(const QString &name) { return quote_name(name.toUtf8()); }
    static QByteArray quote_str(const QString &text) { return quote_str(text.toUtf8()); }

    // Command builders: each sends its text and returns true when the server returned a
    // result set. Names are written with quote_name, paths with quote_str; type names,
    // repeat values ("true"/"false") and separators go in unchanged.
    bool make_table(const QString &table, const QStringList &fields, const QStringList &types,
                    const QStringList &repeats);
    bool add_field(const QString &table, const QString &field, const QString &type,
                   const QString &repeat);
    bool modify_field(const QString &table, const QString &field, const QString &type,
                      const QString &repeat);
    bool rename_field(const QString &table, const QString &old_name, const QString &new_name);
    bool drop_field(const QString &table, const QString &field);
    bool remove_table(const QString &table);
    bool empty_table(const QString &table);
    bool table_fields(const QString &table, QStringList &fields, QStringList &types,
                      QStringList &repeats);
    bool field_names(const QString &table, QStringList &fields);
    bool table_names(QStringList &tables);
    bool export_query(const QString &query, const QString &path, bool csv, const QString &separator,
                      bool replace);
    bool export_table(const QString &table, const QString &path, bool csv, const QString &separator,
                      bool replace);
    bool import_table(const QString &table, const QString &path, bool csv,
                      const QString &separator);
    bool load_table(const QString &table, const QString &path);
    bool save_table(const QString &table, const QString &path, bool replace);
    bool backup_db(const QString &path, bool replace);
    bool restore_db(const QString &path);

    // The command texts the builders send, for callers that gather statements and for
    // tests. Empty when the builder would send nothing.
    static QByteArray make_table_text(const QString &table, const QStringList &fields,
                                      const QStringList &types, const QStringList &repeats);
    static QByteArray add_field_text(const QString &table, const QString &field,
                                     const QString &type, const QString &repeat);
    static QByteArray modify_field_text(const QString &table, const QString &field,
                                        const QString &type, const QString &repeat);
    static QByteArray rename_field_text(const QString &table, const QString &old_name,
                                        const QString &new_name);
    static QByteArray drop_field_text(const QString &table, const QString &field);
    static QByteArray remove_table_text(const QString &table);
    static QByteArray empty_table_text(const QString &table);
    static QByteArray fields_of_text(const QString &table);
    static QByteArray table_names_text();
    static QByteArray export_query_text(const QString &query, const QString &path, bool csv,
                                        const QString &separator, bool replace);
    static QByteArray export_table_text(const QString &table, const QString &path, bool csv,
                                        const QString &separator, bool replace);
    static QByteArray import_table_text(const QString &table, const QString &path, bool csv,
                                        const QString &separator);
    static QByteArray load_table_text(const QString &table, const QString &path);
    static QByteArray save_table_text(const QString &table, const QString &path, bool replace);
    static QByteArray backup_db_text(const QString &path, bool replace);
    static QByteArray restore_db_text(const QString &path);

private:
    // Sends a builder's text; false without sending when the text is empty.
    bool run_command(const QByteArray &sql);
    // Runs "fields_of" / "show tables;" and collects the string cells of the given columns.
    bool collect(const QByteArray &sql, QList<QStringList *> columns);

    QByteArray name_;
    exec_log *log_;
};
