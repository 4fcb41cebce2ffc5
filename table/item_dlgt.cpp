#include "item_dlgt.h"

#include "date_time_reader.h"
#include "fixsize_lineedit.h"
#include "int_spin_box.h"
#include "number_text.h"
#include "real_spin_box.h"

#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLocale>
#include <QTimeEdit>

namespace {

// Written with the C locale: the texts go into statements and must keep ASCII digits under
// every desktop language.
const char date_format[] = "yyyy-MM-dd";
const char time_format[] = "HH:mm:ss.zzz";
const char datetime_format[] = "yyyy-MM-dd HH:mm:ss.zzz";

QDate date_of(const QByteArray &b, bool *ok)
{
    date_parts d;
    QDate r;
    if (read_date(b.constData(), size_t(b.size()), &d)) r = QDate(d.year, d.month, d.day);
    *ok = r.isValid();
    return r;
}

QTime time_of(const QByteArray &b, bool *ok)
{
    time_parts t;
    QTime r;
    if (read_time(b.constData(), size_t(b.size()), &t))
        r = QTime(t.hour, t.minute, t.second, int(t.nanos / 1000000));
    *ok = r.isValid();
    return r;
}

// Date editors start at 1752 unless told otherwise; let them show every year we can write.
void widen_range(QDateTimeEdit *ed)
{
    ed->setMinimumDate(QDate(100, 1, 1));
    ed->setMaximumDate(QDate(9999, 12, 31));
}

// The date editors cannot show a year before 100 (nor an invalid value) and put their
// lowest date in its place; the server keeps years from 1 on. So an editor remembers what
// it showed when it was filled, and one the user did not change writes nothing back.
const char shown_key[] = "vela_shown";

void note_shown(QDateTimeEdit *ed)
{
    ed->setProperty(shown_key, ed->dateTime());
}

bool changed_by_user(const QDateTimeEdit *ed)
{
    const QVariant shown = ed->property(shown_key);
    return !shown.isValid() || shown.toDateTime() != ed->dateTime();
}

} // namespace

// --- item_dlgt ----------------------------------------------------------------------------

item_dlgt::item_dlgt(QObject *parent) : QItemDelegate(parent) {}

void item_dlgt::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                     const QModelIndex &) const
{
    QRect r = option.rect;
    if (r.height() < editor->height()) r.setHeight(editor->height());
    editor->setGeometry(r);
}

QString item_dlgt::to_text(const QVariant &) const
{
    return QString();
}

QVariant item_dlgt::from_text(const QString &) const
{
    return QVariant();
}

void item_dlgt::set_bin()
{
    display_mode_ = number_text::mode_bin;
    sign_flag_ = suffix_flag_ = false;
}

void item_dlgt::set_dec()
{
    display_mode_ = number_text::mode_dec;
    sign_flag_ = suffix_flag_ = false;
}

void item_dlgt::set_hex()
{
    display_mode_ = number_text::mode_hex;
    sign_flag_ = suffix_flag_ = false;
}

void item_dlgt::set_nor()
{
    display_mode_ = number_text::mode_hex;
    sign_flag_ = suffix_flag_ = true;
}

bool item_dlgt::set_number_mode(const QString &name)
{
    if (name == QLatin1String("Bin"))
        set_bin();
    else if (name == QLatin1String("Dec"))
        set_dec();
    else if (name == QLatin1String("Hex"))
        set_hex();
    else if (name == QLatin1String("Nor"))
        set_nor();
    else
        return false;
    return true;
}

void item_dlgt::prepare_editor(QWidget *editor, const QStyleOptionViewItem &option) const
{
    QFont f = editor->font();
    f.setPointSize(10);
    editor->setFont(f);
    if (auto *le = qobject_cast<QLineEdit *>(editor)) {
        le->setAlignment(Qt::AlignCenter);
        le->setReadOnly(read_only_);
    } else if (auto *de = qobject_cast<QDateTimeEdit *>(editor)) {
        de->setAlignment(Qt::AlignCenter);
        de->setReadOnly(read_only_);
        de->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    editor->setGeometry(option.rect);
}

// --- int_item_dlgt ------------------------------------------------------------------------

int_item_dlgt::int_item_dlgt(int kind, QObject *parent)
    : item_dlgt(parent), kind_(kind < 0   ? 0
                               : kind > 7 ? 7
                                          : kind)
{
}

QWidget *int_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                     const QModelIndex &) const
{
    int_spin_box *ed = make_int_spin_box(kind_, parent);
    ed->set_display_mode(display_mode());
    ed->set_sign_flag(sign_flag());
    ed->set_suffix_flag(suffix_flag());
    prepare_editor(ed, option);
    return ed;
}

void int_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<int_spin_box *>(editor)) ed->set_value(index.data(Qt::EditRole));
}

void int_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                 const QModelIndex &index) const
{
    auto *ed = qobject_cast<int_spin_box *>(editor);
    if (ed && !read_only()) model->setData(index, ed->value(), Qt::EditRole);
}

QString int_item_dlgt::to_text(const QVariant &value) const
{
    if (!value.isValid()) return QString();
    number_text::int_form form;
    form.mode = display_mode();
    form.sign = sign_flag();
    form.suffix = suffix_flag();
    form.group = kind_ == 0; // only u08 is grouped, and only in the grid
    return QString::fromStdString(
        number_text::format_int(kind_, int_from_variant(kind_, value), form));
}

QVariant int_item_dlgt::from_text(const QString &text) const
{
    number_text::int_form form;
    form.mode = display_mode();
    form.sign = sign_flag();
    form.suffix = suffix_flag();
    const QByteArray b = text.toUtf8();
    number_text::int_value v;
    if (number_text::check_int(kind_, b.constData(), size_t(b.size()), form, &v) !=
        number_text::verdict::complete)
        return QVariant();
    return int_variant(kind_, v);
}

// --- float_item_dlgt and double_item_dlgt -------------------------------------------------

namespace {

QWidget *make_real_editor(bool is_double, const item_dlgt *d, QWidget *parent)
{
    real_spin_box *ed = is_double ? static_cast<real_spin_box *>(new double_spin_box(parent))
                                  : static_cast<real_spin_box *>(new float_spin_box(parent));
    ed->set_sign_flag(d->sign_flag());
    ed->set_suffix_flag(d->suffix_flag());
    return ed;
}

QVariant real_from_text(bool is_double, const item_dlgt *d, const QString &text)
{
    const QByteArray b = text.toUtf8();
    double v = 0;
    if (number_text::check_real(is_double, b.constData(), size_t(b.size()), d->sign_flag(),
                                d->suffix_flag(), &v) != number_text::verdict::complete)
        return QVariant();
    return is_double ? QVariant(v) : QVariant(float(v));
}

} // namespace

QWidget *float_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                       const QModelIndex &) const
{
    QWidget *ed = make_real_editor(false, this, parent);
    prepare_editor(ed, option);
    return ed;
}

void float_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<real_spin_box *>(editor)) ed->set_value(index.data(Qt::EditRole));
}

void float_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                   const QModelIndex &index) const
{
    auto *ed = qobject_cast<real_spin_box *>(editor);
    if (ed && !read_only()) model->setData(index, ed->value(), Qt::EditRole);
}

QString float_item_dlgt::to_text(const QVariant &value) const
{
    if (!value.isValid()) return QString();
    return QString::fromStdString(
        number_text::format_real(false, double(value.toFloat()), sign_flag(), suffix_flag()));
}

QVariant float_item_dlgt::from_text(const QString &text) const
{
    return real_from_text(false, this, text);
}

QWidget *double_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &) const
{
    QWidget *ed = make_real_editor(true, this, parent);
    prepare_editor(ed, option);
    return ed;
}

void double_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<real_spin_box *>(editor)) ed->set_value(index.data(Qt::EditRole));
}

void double_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    auto *ed = qobject_cast<real_spin_box *>(editor);
    if (ed && !read_only()) model->setData(index, ed->value(), Qt::EditRole);
}

QString double_item_dlgt::to_text(const QVariant &value) const
{
    if (!value.isValid()) return QString();
    return QString::fromStdString(
        number_text::format_real(true, value.toDouble(), sign_flag(), suffix_flag()));
}

QVariant double_item_dlgt::from_text(const QString &text) const
{
    return real_from_text(true, this, text);
}

// --- string_item_dlgt ---------------------------------------------------------------------

string_item_dlgt::string_item_dlgt(int max_bytes, QObject *parent)
    : item_dlgt(parent), max_bytes_(max_bytes)
{
}

QWidget *string_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &) const
{
    auto *ed = new fixsize_lineedit(parent);
    ed->set_max_bytes(max_bytes_);
    prepare_editor(ed, option);
    return ed;
}

void string_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<fixsize_lineedit *>(editor))
        ed->set_initial_text(index.data(Qt::EditRole).toString());
}

void string_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    auto *ed = qobject_cast<fixsize_lineedit *>(editor);
    if (ed && !read_only()) model->setData(index, ed->text(), Qt::EditRole);
}

QString string_item_dlgt::to_text(const QVariant &value) const
{
    return value.toString();
}

QVariant string_item_dlgt::from_text(const QString &text) const
{
    // Walk whole UTF-8 characters while fewer than max bytes are taken; a character that
    // starts below the limit is kept whole.
    const QByteArray b = text.toUtf8();
    int taken = 0;
    while (taken < b.size() && taken < max_bytes_) {
        const unsigned char lead = static_cast<unsigned char>(b[taken]);
        const int n = lead < 0x80         ? 1
                      : (lead >> 5) == 6  ? 2
                      : (lead >> 4) == 14 ? 3
                      : (lead >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || taken + n > b.size()) break;
        bool ok = true;
        for (int i = 1; i < n; ++i)
            ok = ok && (static_cast<unsigned char>(b[taken + i]) & 0xc0) == 0x80;
        if (!ok) break;
        taken += n;
    }
    return QString::fromUtf8(b.constData(), taken);
}

// --- date, time and date-time -------------------------------------------------------------

QWidget *date_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &) const
{
    auto *ed = new QDateEdit(parent);
    widen_range(ed);
    ed->setDisplayFormat(date_format);
    prepare_editor(ed, option);
    return ed;
}

void date_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<QDateEdit *>(editor)) {
        ed->setDate(index.data(Qt::EditRole).toDate());
        note_shown(ed);
    }
}

void date_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const
{
    auto *ed = qobject_cast<QDateEdit *>(editor);
    if (ed && !read_only() && changed_by_user(ed)) model->setData(index, ed->date(), Qt::EditRole);
}

QString date_item_dlgt::to_text(const QVariant &value) const
{
    return QLocale::c().toString(value.toDate(), QLatin1String(date_format));
}

QVariant date_item_dlgt::from_text(const QString &text) const
{
    bool ok = false;
    const QDate d = date_of(text.toUtf8(), &ok);
    return ok ? QVariant(d) : QVariant();
}

QWidget *time_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &) const
{
    auto *ed = new QTimeEdit(parent);
    ed->setDisplayFormat(time_format);
    prepare_editor(ed, option);
    return ed;
}

void time_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<QTimeEdit *>(editor)) {
        ed->setTime(index.data(Qt::EditRole).toTime());
        note_shown(ed);
    }
}

void time_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const
{
    auto *ed = qobject_cast<QTimeEdit *>(editor);
    if (ed && !read_only() && changed_by_user(ed)) model->setData(index, ed->time(), Qt::EditRole);
}

QString time_item_dlgt::to_text(const QVariant &value) const
{
    return QLocale::c().toString(value.toTime(), QLatin1String(time_format));
}

QVariant time_item_dlgt::from_text(const QString &text) const
{
    bool ok = false;
    const QTime t = time_of(text.toUtf8(), &ok);
    return ok ? QVariant(t) : QVariant();
}

QWidget *datetime_item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &) const
{
    auto *ed = new QDateTimeEdit(parent);
    widen_range(ed);
    ed->setDisplayFormat(datetime_format);
    prepare_editor(ed, option);
    return ed;
}

void datetime_item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *ed = qobject_cast<QDateTimeEdit *>(editor)) {
        ed->setDateTime(index.data(Qt::EditRole).toDateTime());
        note_shown(ed);
    }
}

void datetime_item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    auto *ed = qobject_cast<QDateTimeEdit *>(editor);
    if (ed && !read_only() && changed_by_user(ed))
        model->setData(index, ed->dateTime(), Qt::EditRole);
}

QString datetime_item_dlgt::to_text(const QVariant &value) const
{
    return QLocale::c().toString(value.toDateTime(), QLatin1String(datetime_format));
}

QVariant datetime_item_dlgt::from_text(const QString &text) const
{
    const QByteArray b = text.toUtf8();
    if (b.size() <= 10) return QVariant();
    bool date_ok = false, time_ok = false;
    const QDate d = date_of(b.left(10), &date_ok);
    const QTime t = time_of(b.mid(11), &time_ok);
    if (!date_ok || !time_ok) return QVariant();
    const QDateTime dt(d, t, Qt::LocalTime);
    return dt.isValid() ? QVariant(dt) : QVariant();
}
