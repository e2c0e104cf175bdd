#pragma once

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

// The table from command id to the window that the command opens. Each part of the
// program registers its windows; the main window runs whatever a command names.
// Tests replace the runner to see which window a command would open.
class CommandTable {
public:
    using Factory = std::function<std::unique_ptr<QDialog>()>;
    using Runner = std::function<void(QDialog&)>;

    static CommandTable& instance();

    void add(int id, Factory factory);
    void remove(int id);
    bool has(int id) const;
    std::unique_ptr<QDialog> create(int id) const;
    // Creates the command's window and runs it modally; false for an unknown command.
    bool run(int id) const;
    // Replaces how windows are run (the default runs them modally); nullptr restores it.
    void setRunner(Runner runner);

private:
    std::map<int, Factory> m_factories;
    Runner m_runner;
};

// Registers a window class that is constructed with no parent.
template <typename Window>
void addWindow(CommandTable& table, int id)
{
    table.add(id, [] { return std::unique_ptr<QDialog>(new Window()); });
}
