#pragma once
// The values a header, or a cell beyond its loaded value, holds by item-data role. The grid
// keeps one only for cells that were edited, styled, marked with other roles or inserted;
// loaded values stay in the typed columns. The edit value and the base value are fields of
// their own and any other role goes into a list that exists only once such a role is set.
// A cell's base value here is set only when it replaces the loaded one (an inserted row's
// defaults, an immediate update the server took).

#include <QMap>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

class dbl_val_item {
public:
    dbl_val_item() = default;
    // A loaded cell: base value and edit value are both `value`.
    explicit dbl_val_item(const QVariant &value) : base_(value), edit_(value), has_edit_(true) {}
    dbl_val_item(const dbl_val_item &other);
    dbl_val_item &operator=(const dbl_val_item &other);
    dbl_val_item(dbl_val_item &&) noexcept = default;
    dbl_val_item &operator=(dbl_val_item &&) noexcept = default;

    // Inserts or replaces the entry of `role`.
    void set(int role, const QVariant &value);
    // The entry of `role`, or an invalid value when there is none.
    QVariant data(int role) const;
    // Every entry, by role.
    QMap<int, QVariant> roles() const;

    const QVariant &base() const { return base_; }
    void set_base(const QVariant &v) { base_ = v; }
    const QVariant &edit_value() const { return edit_; }
    // The edit value differs from the base value.
    bool modified() const { return edit_ != base_; }

private:
    using role_list = std::vector<std::pair<int, QVariant>>;
    QVariant base_;
    QVariant edit_;
    std::unique_ptr<role_list> others_;
    bool has_edit_ = false;

public:
    // Change tracking of the model: whether the item is counted among the modified cells
    // and among the cells of inserted rows. (Beside has_edit_, so that the flags share
    // one word.)
    bool in_modified = false;
    bool in_new = false;
};
