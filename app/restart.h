// Starting the program again, detached from this process, in the same working directory
// (the settings file lives there).
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct restart_command {
    QString program;
    QStringList arguments;
    QString directory;
};

// The program's own file, no arguments, the current working directory.
restart_command restart_command_line();

// Starts the command detached; false when it could not be started. Tests install a
// starter that records instead; an empty function restores the real one.
using restart_starter = std::function<bool(const restart_command &)>;
restart_starter set_restart_starter(restart_starter starter);
bool start_detached(const restart_command &cmd);
