#include "dbl_val_item.h"

dbl_val_item::dbl_val_item(const dbl_val_item &other)
    : base_(other.base_), edit_(other.edit_),
      others_(other.others_ ? std::make_unique<role_list>(*other.others_) : nullptr),
      has_edit_(other.has_edit_), in_modified(other.in_modified), in_new(other.in_new)
{
}

dbl_val_item &dbl_val_item::operator=(const dbl_val_item &other)
{
    if (this != &other) *this = dbl_val_item(other);
    return *this;
}

void dbl_val_item::set(int role, const QVariant &value)
{
    if (role == Qt::EditRole) {
        edit_ = value;
        has_edit_ = true;
        return;
    }
    if (!others_) others_ = std::make_unique<role_list>();
    for (auto &entry : *others_) {
        if (entry.first == role) {
            entry.second = value;
            return;
        }
    }
    others_->emplace_back(role, value);
}

QVariant dbl_val_item::data(int role) const
{
    if (role == Qt::EditRole) return edit_;
    if (others_) {
        for (const auto &entry : *others_)
            if (entry.first == role) return entry.second;
    }
    return QVariant();
}

QMap<int, QVariant> dbl_val_item::roles() const
{
    QMap<int, QVariant> m;
    if (has_edit_) m.insert(Qt::EditRole, edit_);
    if (others_)
        for (const auto &entry : *others_) m.insert(entry.first, entry.second);
    return m;
}
