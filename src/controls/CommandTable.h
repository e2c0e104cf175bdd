#pragma once

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

// The table from command id to the window that the command opens. Each part of the
// program registers its windows; the main window runs whatever a command names, as the
// owner of the window it opens. Tests replace the runner to see which window a command
// would open.
class CommandTable {
public:
    using Factory = std::function<std::unique_ptr<QDialog>()>;
    using Runner = std::function<void(QDialog&)>;

    static CommandTable& instance();

    void add(int id, Factory factory);
    void remove(int id);
    bool has(int id) const;
    std::unique_ptr<QDialog> create(int id) const;
    // Creates the command's window over its owner (centred on it, minimised with it) and
    // runs it modally. A window that fails while it is built shows "操作失败" instead.
    // False when no window ran.
    bool run(int id, QWidget* owner = nullptr) const;
    // Replaces how windows are run (the default runs them modally); nullptr restores it.
    void setRunner(Runner runner);

private:
    std::map<int, Factory> m_factories;
    Runner m_runner;
};

// Registers a window class that is constructed with no parent; run() gives it its owner.
template <typename Window>
void addWindow(CommandTable& table, int id)
{
    table.add(id, [] { return std::unique_ptr<QDialog>(new Window()); });
}
