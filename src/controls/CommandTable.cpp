#include "controls/CommandTable.h"

#include "controls/Prompter.h"

CommandTable& CommandTable::instance()
{
    static CommandTable table;
    return table;
}

void CommandTable::add(int id, Factory factory) { m_factories[id] = std::move(factory); }

void CommandTable::remove(int id) { m_factories.erase(id); }

bool CommandTable::has(int id) const { return m_factories.count(id) != 0; }

std::unique_ptr<QDialog> CommandTable::create(int id) const
{
    const auto it = m_factories.find(id);
    return it == m_factories.end() ? nullptr : it->second();
}

bool CommandTable::run(int id, QWidget* owner) const
{
    std::unique_ptr<QDialog> window;
    try {
        window = create(id);
    } catch (...) {
        // A window whose first query failed must not take the whole program down with it.
        showMessage(owner, QStringLiteral("操作失败"));
        return false;
    }
    if (!window)
        return false;
    if (owner)
        window->setParent(owner, window->windowFlags());
    if (m_runner)
        m_runner(*window);
    else
        window->exec();
    return true;
}

void CommandTable::setRunner(Runner runner) { m_runner = std::move(runner); }
