#include "restart.h"

#include "program_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace {
restart_starter &current_starter()
{
    static restart_starter starter;
    return starter;
}
} // namespace

restart_command restart_command_line()
{
    // The running file itself, not argv[0]: a bare name or a relative path from start-up
    // could name another program or nothing once resolved again.
    QString program = QCoreApplication::applicationFilePath();
    if (program.isEmpty()) program = QString::fromStdString(program_path());
    return {program, {}, QDir::currentPath()};
}

restart_starter set_restart_starter(restart_starter starter)
{
    restart_starter old = std::move(current_starter());
    current_starter() = std::move(starter);
    return old;
}

bool start_detached(const restart_command &cmd)
{
    if (cmd.program.isEmpty()) return false;
    if (current_starter()) return current_starter()(cmd);
    return QProcess::startDetached(cmd.program, cmd.arguments, cmd.directory);
}
