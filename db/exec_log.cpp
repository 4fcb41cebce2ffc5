#include "exec_log.h"

exec_log::exec_log(QObject *parent) : QObject(parent) {}

void exec_log::make_room()
{
    if (html_.size() > cap) {
        const int budget = html_.size() / 8;
        int kept = 0;
        size_t keep_lines = 0;
        for (auto it = lengths_.rbegin(); it != lengths_.rend() && kept + *it <= budget; ++it) {
            kept += *it;
            ++keep_lines;
        }
        lengths_.erase(lengths_.begin(), lengths_.end() - static_cast<long>(keep_lines));
        if (keep_lines == 0) {
            kept = budget;
            lengths_.assign(1, budget);
        }
        html_.truncate(kept);
        ++cuts_;
    }
}

void exec_log::add(const QString &line)
{
    make_room();
    html_.prepend(line);
    lengths_.push_back(line.size());
    emit changed();
}

void exec_log::add(const std::vector<QString> &lines)
{
    if (lines.empty()) return;
    make_room();
    int size = 0;
    for (const QString &l : lines) size += l.size();
    QString joined;
    joined.reserve(size + html_.size());
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) joined += *it;
    joined += html_;
    html_.swap(joined);
    for (const QString &l : lines) lengths_.push_back(l.size());
    emit changed();
}

void exec_log::clear()
{
    html_.clear();
    lengths_.clear();
    ++cuts_;
    emit changed();
}

int exec_log::newest_within(int chars) const
{
    int total = 0;
    for (auto it = lengths_.rbegin(); it != lengths_.rend(); ++it) {
        if (total + *it > chars) return total == 0 ? chars : total;
        total += *it;
    }
    return total;
}

int exec_log::line_end_after(int chars) const
{
    int total = 0;
    for (auto it = lengths_.rbegin(); it != lengths_.rend(); ++it) {
        total += *it;
        if (total > chars) return total;
    }
    return total;
}
