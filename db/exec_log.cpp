#include "exec_log.h"

exec_log::exec_log(QObject *parent) : QObject(parent) {}

void exec_log::add(const QString &line)
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
    }
    html_.prepend(line);
    lengths_.push_back(line.size());
    emit changed();
}

void exec_log::clear()
{
    html_.clear();
    lengths_.clear();
    emit changed();
}
